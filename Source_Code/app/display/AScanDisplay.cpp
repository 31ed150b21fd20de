#include "app/display/AScanDisplay.h"

#include "app/display/AScanPainter.h"
#include "app/display/EmfCanvas.h"
#include "platform/locale/UserLocale.h"
#include "platform/metafile/MetafileFile.h"

#include <QDir>
#include <QFileInfo>

namespace tovu::display {

AScanDisplay::AScanDisplay(const items::ItemStore& store, const items::StringSource& strings,
                           SettingsAccess& settings, DisplayMessages& messages, QObject* parent)
    : QObject(parent), decimalSeparator(platform::locale::decimalSeparator()), store_(store), strings_(strings),
      settings_(settings), messages_(messages)
{
}

bool AScanDisplay::DrawAScan(int index)
{
    const auto& items = store_.WorkItems;
    const int count = static_cast<int>(items.size());
    drawing_.clear();
    if (index < 0 || index >= count) {
        emit pictureChanged();
        return false;
    }
    // The arrays may have been re-created smaller since the previous drawing.
    const items::DFDRecord* second = previousItem_ >= 0 && previousItem_ < count ? &items[previousItem_] : nullptr;
    const AScanScene scene{items[index], second, view, readColours(settings_), strings_, decimalSeparator};
    tovu::display::DrawAScan(scene, drawing_);
    previousItem_ = index;
    writePictureFile();
    emit pictureChanged();
    return true;
}

QByteArray AScanDisplay::metafileBytes() const
{
    EmfCanvas emf(referenceDevice);
    drawing_.replay(emf);
    return emf.finish();
}

void AScanDisplay::writePictureFile()
{
    const QString path = picturePath();
    QString error;
    written_ = false;
    try {
        QDir().mkpath(QFileInfo(path).absolutePath());
        written_ = platform::metafile::saveMetafile(path, metafileBytes(), &error);
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    if (written_) {
        failureReported_ = false;
        return;
    }
    if (!failureReported_) {
        failureReported_ = true;
        messages_.showCritical(QStringLiteral("Cannot Create A-scan Enhanced Metafile ") + QDir::toNativeSeparators(path));
    }
}

} // namespace tovu::display
