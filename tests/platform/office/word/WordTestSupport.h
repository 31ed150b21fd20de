#pragma once

#include "platform/office/word/Application.h"
#include "platform/office/word/Find.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace tovu::platform::word::test {

// A Word environment with one running application and a scratch folder.
class WordTest : public ::testing::Test {
protected:
    void SetUp() override;

    QString file(const QString& name) const { return dir.filePath(name); }
    // Writes a small picture file and answers its path.
    QString pngFile(const QString& name = QStringLiteral("small.png"), int w = 40, int h = 20) const;
    QString emfFile(const QString& name = QStringLiteral("small.emf")) const;

    QTemporaryDir dir;
    LocalActiveObjectTable table;
    std::unique_ptr<WordEnvironment> env;
    std::shared_ptr<Application> app;
    std::shared_ptr<Document> doc;
};

// A minimal enhanced metafile: header, one rectangle, end record; frame 50 x 25 mm.
QByteArray smallEmf();
QByteArray pngBytes(int w, int h, Qt::GlobalColor color = Qt::red);

// Text of the paragraphs of the main text, marks left off.
QStringList paragraphTexts(const Document& doc);

// Runs a program; answers its exit code (-1 when it cannot start) and fills its output.
int runTool(const QString& program, const QStringList& args, QString* output = nullptr);
// Pages of a PDF as pdfinfo counts them; -1 when pdfinfo is not available.
int pdfPageCount(const QString& pdf);

}  // namespace tovu::platform::word::test
