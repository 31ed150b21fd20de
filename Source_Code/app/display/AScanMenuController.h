#pragma once
// The commands around the A-scan picture, for the main window's menus, pop-up menu and
// toolbar: copy the picture, choose the picture type, the trace style and the colours.
// The controller holds the menu items' Checked states; the main window mirrors them on
// its menu actions and calls the handlers from their triggers.

#include "app/display/AScanDisplay.h"
#include "platform/clipboard/Clipboard.h"

#include <QSize>
#include <optional>

namespace tovu::display {

// What the handlers need of the main window.
class AScanHost {
public:
    virtual ~AScanHost() = default;
    // The WorkItems index of the item the picture shows; none when no item was opened or
    // the list shows the other kind now (its record is not in WorkItems).
    virtual std::optional<int> shownItemIndex() const = 0;
    virtual void ShowALogSettings(int index) = 0;
    virtual void ShowItemNotes(int index) = 0;
    // Shows AScanPropertiesDialog modally.
    virtual void showColourDialog() = 0;
    // The A-scan picture's size in pixels (the bitmap copy's size).
    virtual QSize pictureSize() const = 0;
};

struct AScanMenuChecks {
    bool mnuPopUpAscanStyleMinMax = true;
    bool mnuPopUpAscanStyleSmooth = false;
    bool mnuOptionsAlogStyleMinMax = true;
    bool mnuOptionsAlogStyleSmooth = false;
    bool mnuPictureMetafile = true;
    bool mnuPictureBitmap = false;
    bool mnuSuperimpose = false;
};

inline const QString kClipboardSection = QStringLiteral("Clipboard");
inline const QString kExportKey = QStringLiteral("Export");

class AScanMenuController {
public:
    AScanMenuController(AScanDisplay& display, platform::clipboard::Clipboard& clipboard, AScanHost& host);

    const AScanMenuChecks& checks() const { return checks_; }

    // Start-up: the picture type from "Clipboard"/"Export" ("bitmap", anything else metafile).
    void loadPictureType();
    // The superimposed view's check (the main window's menu item and toolbar button).
    void setSuperimposeChecked(bool checked);

    void mnuPopUpAscanCopy_Click();
    void mnuCopyAlog_Click() { mnuPopUpAscanCopy_Click(); }
    void mnuPopUpAscanStyleMinMax_Click();
    void mnuPopUpAscanStyleSmooth_Click();
    void mnuOptionsAlogStyleMinMax_Click();
    void mnuOptionsAlogStyleSmooth_Click();
    void mnuPictureBitmap_Click();
    void mnuPictureMetafile_Click();
    void mnuAScanProperties_Click();
    void mnuAlogProperties_Click() { mnuAScanProperties_Click(); }

private:
    void setPopUpStyle(bool smooth);
    void redrawShown();
    std::optional<int> shownRecord() const;

    AScanDisplay& display_;
    platform::clipboard::Clipboard& clipboard_;
    AScanHost& host_;
    AScanMenuChecks checks_;
};

} // namespace tovu::display
