#include "app/display/AScanMenuController.h"

#include "app/display/PictureRender.h"
#include "platform/metafile/EmfReader.h"
#include "platform/metafile/MetafileFile.h"

namespace tovu::display {

AScanMenuController::AScanMenuController(AScanDisplay& display, platform::clipboard::Clipboard& clipboard,
                                         AScanHost& host)
    : display_(display), clipboard_(clipboard), host_(host)
{
    display_.view.smooth = checks_.mnuPopUpAscanStyleSmooth;
    display_.view.superimpose = checks_.mnuSuperimpose;
}

void AScanMenuController::loadPictureType()
{
    const bool bitmap = display_.settings().GetSetting(kClipboardSection, kExportKey) == u"bitmap";
    checks_.mnuPictureBitmap = bitmap;
    checks_.mnuPictureMetafile = !bitmap;
}

void AScanMenuController::setSuperimposeChecked(bool checked)
{
    checks_.mnuSuperimpose = checked;
    display_.view.superimpose = checked;
}

void AScanMenuController::mnuPopUpAscanCopy_Click()
{
    if (display_.settings().GetSetting(kClipboardSection, kExportKey) == u"bitmap") {
        clipboard_.clear();
        clipboard_.setBitmap(renderImage(display_.drawing(), host_.pictureSize()));
        return;
    }
    // Before the first drawing there is no picture file: the clipboard is left alone.
    const auto bytes = platform::metafile::loadMetafile(display_.picturePath());
    if (!bytes || !platform::metafile::readEmf(*bytes))
        return;
    platform::clipboard::PicturePayload picture;
    picture.emf = *bytes;
    if (!display_.drawing().empty()) {
        picture.svg = renderSvg(display_.drawing());
        picture.png = renderPng(display_.drawing(), host_.pictureSize());
    }
    clipboard_.clear();
    clipboard_.setPicture(picture);
}

std::optional<int> AScanMenuController::shownRecord() const
{
    const auto index = host_.shownItemIndex();
    if (!index || *index < 0 || *index >= static_cast<int>(display_.store().WorkItems.size()))
        return std::nullopt;
    return index;
}

void AScanMenuController::redrawShown()
{
    if (const auto index = shownRecord())
        display_.DrawAScan(*index);
}

void AScanMenuController::setPopUpStyle(bool smooth)
{
    checks_.mnuPopUpAscanStyleSmooth = smooth;
    checks_.mnuPopUpAscanStyleMinMax = !smooth;
    display_.view.smooth = smooth;
    redrawShown();
}

void AScanMenuController::mnuPopUpAscanStyleMinMax_Click() { setPopUpStyle(false); }
void AScanMenuController::mnuPopUpAscanStyleSmooth_Click() { setPopUpStyle(true); }

void AScanMenuController::mnuOptionsAlogStyleMinMax_Click()
{
    checks_.mnuOptionsAlogStyleSmooth = false;
    checks_.mnuOptionsAlogStyleMinMax = true;
    mnuPopUpAscanStyleMinMax_Click();
}

void AScanMenuController::mnuOptionsAlogStyleSmooth_Click()
{
    checks_.mnuOptionsAlogStyleMinMax = false;
    checks_.mnuOptionsAlogStyleSmooth = true;
    mnuPopUpAscanStyleSmooth_Click();
}

void AScanMenuController::mnuPictureBitmap_Click()
{
    checks_.mnuPictureBitmap = true;
    checks_.mnuPictureMetafile = false;
    display_.settings().SaveSetting(kClipboardSection, kExportKey, QStringLiteral("bitmap"));
}

void AScanMenuController::mnuPictureMetafile_Click()
{
    checks_.mnuPictureMetafile = true;
    checks_.mnuPictureBitmap = false;
    display_.settings().SaveSetting(kClipboardSection, kExportKey, QStringLiteral("metafile"));
}

void AScanMenuController::mnuAScanProperties_Click()
{
    host_.showColourDialog();
    const auto index = shownRecord();
    if (!index)
        return;
    const items::DFDRecord& record = display_.store().WorkItems[*index];
    if (record.InUse) {
        display_.DrawAScan(*index);
        host_.ShowALogSettings(*index);
        host_.ShowItemNotes(*index);
    } else if (record.WaveformPresent) {
        display_.DrawAScan(*index);
        host_.ShowALogSettings(*index);
    }
}

} // namespace tovu::display
