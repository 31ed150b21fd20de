#pragma once
// Get Current Settings: the set-up the instrument is using now, its live A-scan, its
// readings and its DAC, TCG and AVG curves, read into record 0 of WorkItems, which the
// window then shows like an opened item (and the transfers take as the instrument's).
// The reads follow the refusal rule and the download's array rule: a refused setting is
// "N/A", a refused or missing array is absent, never the last item's.

#include "app/link/TransferHost.h"

#include <QString>
#include <QStringList>

namespace tovu::link {

struct CurrentSettingsReport {
    bool completed = false;          // read to its end; record 0 holds the live set-up
    QStringList refused;             // commands the instrument refused ("N/A" or absent)
    QString errorSource, errorText;  // the error shown, when not completed
};

// Opens the link, reads record 0, closes the link. A link error ends the read at once in
// one critical box (source, a blank, description) titled "Get All Alogs Error" (string 6277), with the
// link closed; record 0 keeps what was read. LiveSettingsShown is set first in any case.
// A read that completed with refusals ends in one box listing them by the settings' names
// ("Current settings read; the instrument refused: Gain [RGN]", strings 6181, 6151),
// titled "Get Current Settings completed with notes" (6180); a clean read shows none.
CurrentSettingsReport GetCurrentSettings(TransferEnv& env);

} // namespace tovu::link
