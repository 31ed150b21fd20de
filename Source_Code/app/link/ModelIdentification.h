#pragma once
// Who the connected instrument is: its model code from the identification reply, its
// memory generation with the item counts, and its firmware generation.

#include "app/link/LinkContext.h"

#include <QString>

namespace tovu::link {

// Asks "AMD", finds the model (the highest code whose name occurs in the reply, 0 when
// none does), applies the model's memory generation (see LinkContext: the first
// identification always does; a change re-creates the arrays only with the caller's
// consent and never while a transfer runs) and reads the firmware generation with "AMF".
// Record idx receives IdentText and DataVersion. Returns the model code.
// An "AMD" or "AMF" that is refused or unreadable after one more try fails the
// identification (NotAcknowledged or BadReply, string 6154): nothing goes on with a
// guessed model or firmware.
int GetInstrumentModel(LinkContext& ctx, int idx);

// The "AMF" value, checked as GetInstrumentModel checks it.
QString readFirmware(LinkContext& ctx);

// The number spelt by the characters "." "/" and 0-9 of text, in order, the others
// dropped ("V2.05" -> 2.05, "2.10/03" -> 2.1, no digits -> 0).
double NumericValue(const QString& text);

// NumericValue of the first blank-separated token of a firmware reply, blanks around the
// reply ignored (" V3.00" is 3).
double firmwareFigure(const QString& reply);

// The model whose name occurs in an identification reply; 0 when none.
int modelOfIdent(const items::ModelNameTable& names, const QString& ident);

constexpr int kModelWithTwoFirmwares = 11;   // becomes 35 when its firmware is not 1.x
constexpr int kLaterModelOfThatName = 35;
constexpr int kIdentificationFailedString = 6154;

} // namespace tovu::link
