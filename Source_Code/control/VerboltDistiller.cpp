// The held document made into a PDF by a distiller: printed to a PostScript file on the
// distiller's printer, then converted by the distiller's automation object. Where no
// distiller is installed the object cannot be created and the method fails with -3.
#include "control/Verbolt.h"

#include "platform/text/FieldText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <dlfcn.h>
#include <stdexcept>

namespace tovu::control {

namespace {

const QString kDistillerPrinter = QStringLiteral("Acrobat Distiller");
// The distiller's automation class and its conversion method (the interface's first).
const QString kDistillerClass = QStringLiteral("{1CD675B2-ECD1-11D1-B976-00600802DB86}");
const QString kFileToPdf = QStringLiteral("FileToPDF");

// The folder of the file this code was loaded from: the control's library, or the program
// the control is linked into.
QString controlFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&controlFolder), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return QCoreApplication::applicationDirPath();
}

qint64 sizeOf(const QString& file)
{
    QFileInfo info(file);
    if (!info.exists())
        throw std::runtime_error("the PostScript file was not written");
    return info.size();
}

} // namespace

MethodStatus Verbolt::CreatePDFUsingDistiller(QString& strPDFFile, QString& strDistiller)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    QString keptPrinter;
    const QString postScript = QDir(controlFolder()).filePath(QStringLiteral("PDFTemp.ps"));
    try {
        keptPrinter = heldApplication_->activePrinter();
        heldApplication_->setActivePrinter(platform::text::trimBlanks(strDistiller).isEmpty() ? kDistillerPrinter : strDistiller);
        heldDocument_->printOut(postScript);
        // The printer is done when the file stops growing over two seconds.
        qint64 before = 0, after = 0;
        do {
            if (QCoreApplication::instance())
                QCoreApplication::processEvents();
            before = sizeOf(postScript);
            QThread::msleep(2000);
            after = sizeOf(postScript);
        } while (before != after);
        automation::DispatchRef distiller = createObject(kDistillerClass);
        if (!distiller)
            throw std::runtime_error("no distiller");
        distiller->call(kFileToPdf, {automation::Variant(postScript), automation::Variant(strPDFFile),
                                     automation::Variant(QString())});
        QFile::remove(postScript);
        distiller.reset();
        heldApplication_->setActivePrinter(keptPrinter);
        return 1;
    } catch (...) {
        if (!keptPrinter.isEmpty()) {
            try {
                heldApplication_->setActivePrinter(keptPrinter);
            } catch (...) {
            }
        }
        // No PostScript file is left behind when no PDF was made of it.
        QFile::remove(postScript);
        return -3;
    }
}

} // namespace tovu::control
