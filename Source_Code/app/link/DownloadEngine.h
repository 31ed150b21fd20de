#pragma once
// The download engine: stored panels and ALogs of the instrument into the PC's arrays.
// The live settings are saved into record 0 first and written back at the end; each slot
// of the selection is tested, recalled and read with its curves (ALogs also with their
// waveform and time stamp). Panels or ALogs change only when the whole download ran: an
// error or a cancel leaves every PC array as it was, restores the live settings as far as
// the instrument lets it, and ends in one box titled "Get All Panels Error" or "Get All
// Alogs Error".

#include "app/link/TransferSupport.h"

#include <vector>

namespace tovu::link {

// first and last: slot numbers on generation 0; on a banked instrument (1, MaxPanels)
// reads every panel bank, any other pair positions on the shown page. last < 0 means
// MaxPanels.
TransferReport DownloadPanels(TransferEnv& env, int first = 1, int last = -1);
// The positions of a selection (slot numbers on generation 0); only these are read.
TransferReport DownloadPanels(TransferEnv& env, const std::vector<int>& positions);

// As DownloadPanels; "all" (1, MaxALogs) on a banked instrument covers slots 1..800.
TransferReport DownloadALogs(TransferEnv& env, int first = 1, int last = -1);
TransferReport DownloadALogs(TransferEnv& env, const std::vector<int>& positions);

inline const QString kGetAllPanelsError = QStringLiteral("Get All Panels Error");
inline const QString kGetAllAlogsError = QStringLiteral("Get All Alogs Error");

} // namespace tovu::link
