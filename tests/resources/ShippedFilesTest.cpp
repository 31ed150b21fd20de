// The files shipped beside the program: the report logo as drawn at build time, and the
// help compiled from docs/help, checked against its sources.
#include "support/AppEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QString kBin = QStringLiteral(TOVU_BIN_DIR);
const QString kHelpSources = QStringLiteral(TOVU_SOURCE_DIR "/docs/help");
// Help folder and the locale code its file carries.
const std::pair<const char*, const char*> kHelpLanguages[] = {{"en", "809"}, {"de", "407"}};

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString textOf(const QString& path) { return QString::fromUtf8(bytesOf(path)); }

QStringList pagesOf(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QStringList matches(const QString& text, const QString& pattern)
{
    QStringList found;
    auto it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured(1);
    return found;
}

TEST(ReportLogo, IsABitmapOfTheReportsProportionsWithAPictureOnIt)
{
    const QString path = kBin + QStringLiteral("/Logo.bmp");
    ASSERT_EQ(bytesOf(path).left(2), QByteArray("BM")) << path.toStdString();
    const QImage logo(path);
    ASSERT_FALSE(logo.isNull());
    // The report places it at 150 x 100 points.
    EXPECT_EQ(logo.width() * 100, logo.height() * 150);
    QSet<QRgb> colours;
    int dark = 0;
    for (int y = 0; y < logo.height(); y += 2)
        for (int x = 0; x < logo.width(); x += 2) {
            const QRgb c = logo.pixel(x, y);
            colours.insert(c);
            dark += qGray(c) < 80;
        }
    EXPECT_GT(colours.size(), 50) << "a drawing, not a filled rectangle";
    EXPECT_GT(dark, logo.width() * logo.height() / 40) << "the screen and the name are drawn dark on white";
    EXPECT_EQ(logo.pixel(0, 0), qRgb(255, 255, 255)) << "the logo stands on white paper";
}

TEST(HelpSources, EveryLanguageHasThePagesItsProjectAndContentsList)
{
    const QStringList english = pagesOf(kHelpSources + QStringLiteral("/en"));
    ASSERT_FALSE(english.isEmpty());
    for (const auto& [folder, code] : kHelpLanguages) {
        SCOPED_TRACE(folder);
        const QString dir = kHelpSources + u'/' + QLatin1String(folder);
        EXPECT_EQ(pagesOf(dir), english) << "every language has the same topics";
        const QString project = textOf(dir + QStringLiteral("/TOVUHelp.hhp"));
        EXPECT_TRUE(project.contains(QStringLiteral("Compiled file=TOVUHelp%1.chm").arg(QLatin1String(code))));
        const QStringList listed = project.section(QStringLiteral("[FILES]"), 1).split(u'\n', Qt::SkipEmptyParts);
        for (const QString& page : english)
            EXPECT_TRUE(listed.contains(page)) << page.toStdString() << " is not compiled in";
        for (const QString& file : listed)
            EXPECT_TRUE(QFile::exists(dir + u'/' + file) || file == u"help.css") << file.toStdString();
        const QStringList contents = matches(textOf(dir + QStringLiteral("/toc.hhc")), QStringLiteral("name=\"Local\" value=\"([^\"]+)\""));
        EXPECT_EQ(QSet<QString>(contents.begin(), contents.end()), QSet<QString>(english.begin(), english.end()))
            << "the contents list every page once";
    }
}

TEST(HelpSources, EveryLinkAndStyleSheetPointsAtAFileThatIsShipped)
{
    for (const auto& [folder, code] : kHelpLanguages) {
        const QString dir = kHelpSources + u'/' + QLatin1String(folder);
        for (const QString& page : pagesOf(dir)) {
            const QString html = textOf(dir + u'/' + page);
            EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">"))) << folder << "/" << page.toStdString();
            EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << folder << "/" << page.toStdString();
            for (const QString& target : matches(html, QStringLiteral("(?:href|src)=\"([^\"#]+)")))
                EXPECT_TRUE(QFile::exists(dir + u'/' + target) || QFile::exists(kHelpSources + u'/' + target))
                    << folder << "/" << page.toStdString() << " links to " << target.toStdString();
        }
    }
}

TEST(HelpFiles, EachLanguageIsCompiledWithEveryPage)
{
    for (const auto& [folder, code] : kHelpLanguages) {
        const QString chm = kBin + QStringLiteral("/TOVUHelp%1.chm").arg(QLatin1String(code));
        const QByteArray bytes = bytesOf(chm);
        ASSERT_EQ(bytes.left(4), QByteArray("ITSF")) << chm.toStdString();
        // The directory of a compiled help file names every file it holds.
        for (const QString& page : pagesOf(kHelpSources + u'/' + QLatin1String(folder)))
            EXPECT_TRUE(bytes.contains(('/' + page).toUtf8())) << chm.toStdString() << " lacks " << page.toStdString();
        EXPECT_TRUE(bytes.contains("/help.css")) << chm.toStdString();
    }
}

} // namespace

TOVU_TEST_APPLICATION(QCoreApplication);
