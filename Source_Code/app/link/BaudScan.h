#pragma once
// Finding the rate the instrument answers at. The main window runs the scan whenever a
// COM port is chosen; the About box serves as its progress window and the status read
// runs once a rate answers. Both belong to the main window and come in as callbacks.

#include "app/link/LinkContext.h"

#include <QString>
#include <array>
#include <functional>

namespace tovu::link {

struct BaudScanHooks {
    QString applicationTitle;
    std::function<void()> showAbout;                       // shown without waiting
    std::function<void(const QString& caption)> setAboutCaption;
    std::function<void()> hideAbout;
    // Current_Status_DFD with get-all-status, panels and ALogs True, show-progress False;
    // it opens and closes its own connection. Its errors are ignored.
    std::function<void()> statusRead;
};

struct ScanRate {
    const char* baud;
    const char* caption;  // appended to "About " & title
};
inline constexpr std::array<ScanRate, 5> kScanRates{{{"115200", "... SCANNING 115K2"},
                                                     {"57600", "... SCANNING 57K6"},
                                                     {"38400", "... SCANNING 38K4"},
                                                     {"19200", "... SCANNING 19K2"},
                                                     {"9600", "... SCANNING 9K6"}}};
inline const QString kPortFormat = QStringLiteral(",N,8,1");
inline const QString kFallbackSettings = QStringLiteral("115200,N,8,1");

// Tries each rate in turn and keeps the first that answers; with none, the port settings
// become "115200,N,8,1". Shows no message and raises nothing.
void scan_baudrate(LinkContext& ctx, const BaudScanHooks& hooks);

// Tries one rate: "ACK" when the instrument answered there (the status read then ran),
// otherwise an empty text. Raises nothing; the port ends closed.
QString SelectBaudrate(LinkContext& ctx, const QString& baudrate, const BaudScanHooks& hooks);

// A short exchange inside a successful rate: "ACK", "N/A", " " (NAK) or "ERROR" when no
// status byte arrived within 15 immediate polls. Raises nothing.
QString Baud_Writecomm(LinkContext& ctx, const QString& cmd, const QString& value);

constexpr int kBaudWriteWaitMs = 250;
constexpr int kBaudWritePolls = 15;

} // namespace tovu::link
