#pragma once
// The seventeen parameter groups. A reader asks "R" + code for every setting of its
// group and stores each reply text in record index of WorkItems; a writer sends "W" +
// code with the field's text. Writers never change the record they send: whatever the
// wire needs in place of a field (blanks for an empty note, "0" for an empty YG, the
// rescaled gate level, converted DAC points) is made for the wire only.
//
// Errors of the exchanges reach the caller; a field the writer cannot use raises
// RecordValueError before the commands that need it.

#include "app/link/LinkContext.h"

#include <QStringList>

namespace tovu::link {

void ReadParamsCT(LinkContext& ctx, int index);
void WriteParamsCT(LinkContext& ctx, int index);
void ReadParamsPZ(LinkContext& ctx, int index);
void WriteParamsPZ(LinkContext& ctx, int index);
void ReadParamsPD(LinkContext& ctx, int index);
void WriteParamsPD(LinkContext& ctx, int index);
void ReadGate(LinkContext& ctx, int index, int gate);
void WriteGate(LinkContext& ctx, int index, int gate);
void ReadParamsAG(LinkContext& ctx, int index);
void WriteParamsAG(LinkContext& ctx, int index);
void ReadParamPM(LinkContext& ctx, int index);
void WriteParamPM(LinkContext& ctx, int index);
void ReadParamsZO(LinkContext& ctx, int index);
void WriteParamsZO(LinkContext& ctx, int index);
void ReadDACSettings(LinkContext& ctx, int index);
void WriteDACSettings(LinkContext& ctx, int index);
void ReadTCGSettings(LinkContext& ctx, int index);
void WriteTCGSettings(LinkContext& ctx, int index);
void ReadParamsYT(LinkContext& ctx, int index);
void WriteParamsYT(LinkContext& ctx, int index);
void ReadParamsAV(LinkContext& ctx, int index);
void WriteParamsAV(LinkContext& ctx, int index);
void ReadParamsE(LinkContext& ctx, int index);
void WriteParamsE(LinkContext& ctx, int index);
void ReadParamsSF(LinkContext& ctx, int index);
void WriteParamsSF(LinkContext& ctx, int index);
void ReadParamsUN(LinkContext& ctx, int index);
void WriteParamsUN(LinkContext& ctx, int index);
void ReadParamsVA(LinkContext& ctx, int index);
void WriteParamsVA(LinkContext& ctx, int index);
void ReadParamsPO(LinkContext& ctx, int index);
void WriteParamsPO(LinkContext& ctx, int index);
void ReadNotes(LinkContext& ctx, int index);
void WriteNotes(LinkContext& ctx, int index);

// On a record held elsewhere (a scratch record, a copy for the wire).
void readGateInto(LinkContext& ctx, items::DFDRecord& rec, int gate);
void writeCalibration(LinkContext& ctx, const items::DFDRecord& rec);  // the PZ writer

// The instrument's length of a note field ("NL" 8, "NN" 75 ...); 0 for any other code.
int noteFieldLength(const QString& code);

// The gate letter: "A" for 0, "B" for 1, "I" for any other gate.
QString gateLetter(int gate);
// The level argument sent for a gate under RF detection: (level + 100) / 2 in single
// precision, shortest text, a leading blank when not negative.
QString rfGateLevel(const QString& level);

// Every parameter code the groups use, for checking them against the record fields.
QStringList groupParameterCodes();

} // namespace tovu::link
