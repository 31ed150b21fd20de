#pragma once
// How the display tells the user of a failure; the main window shows a critical message
// box titled with the application name, tests record the texts.

#include <QString>

namespace tovu::display {

class DisplayMessages {
public:
    virtual ~DisplayMessages() = default;
    virtual void showCritical(const QString& text) = 0;
};

} // namespace tovu::display
