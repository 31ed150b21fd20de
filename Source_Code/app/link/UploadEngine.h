#pragma once
// The upload engine: PC records stored into instrument slots. After the model and
// overwrite questions the live settings are saved into record 0; for each record that
// holds an item every group is written, the settings are stored into the target slot
// (an ALog with its waveform), the slot is ticked in the tree and marked occupied. The
// live settings are written back at the end, and after an error or cancel as far as the
// instrument lets it; errors end in one box titled "Write All Panels Error" or "Write
// All Alogs Error". A slot whose STORE the instrument refuses is reported, not ticked.

#include "app/link/TransferSupport.h"

namespace tovu::link {

// first, last: PC record numbers. single 0 writes each record into the slot of its own
// number; single >= 1 writes record first into slot single.
TransferReport UploadPanels(TransferEnv& env, int first, int last, int single);
TransferReport UploadALogs(TransferEnv& env, int first, int last, int single);

inline const QString kWriteAllPanelsError = QStringLiteral("Write All Panels Error");
inline const QString kWriteAllAlogsError = QStringLiteral("Write All Alogs Error");

constexpr int kOverwriteAllString = 521;   // "Do you want to Overwrite All Non Empty Locations ?"
constexpr int kOverwriteOneString = 519;   // "The Target Location is not Empty. Overwrite ?"
constexpr int kDifferentModelString = 188; // "Different Model Detected. Do you want to continue the Uploading ?"

} // namespace tovu::link
