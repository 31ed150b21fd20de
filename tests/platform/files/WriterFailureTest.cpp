// Every writer of the program and the control, the settings store and the class registry
// among them, made to fail while it writes: in a child process under a file-size limit
// smaller than what it writes, without permission to write the folder, and on a full disk. Each must report failure with the reason in
// words naming the file, leave the file that was there byte for byte as it was, and
// leave no temporary file behind. Each writer is first run once unhindered, so the
// failure is the condition's and the file is larger than the limit.

#include "app/items/AlogExport.h"
#include "app/items/FileHandlingModule.h"
#include "app/link/Thickness.h"
#include "control/DelimitedText.h"
#include "control/HtmlWriter.h"
#include "control/PdfWriter.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/ClassRegistry.h"
#include "platform/files/AtomicFile.h"
#include "platform/metafile/MetafileFile.h"
#include "platform/office/word/DocumentFiles.h"
#include "platform/office/word/WordError.h"
#include "platform/printing/Printing.h"
#include "platform/settings/SettingsError.h"
#include "platform/settings/SettingsStore.h"
#include "platform/spelling/CustomDictionary.h"
#include "platform/spelling/SpellingError.h"
#include "items/ItemsTestSupport.h"
#include "support/SampleRecords.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tovu;
using tovu::items::test::readBytes;
using tovu::items::test::writeBytes;

namespace {

constexpr rlim_t kSizeLimit = 1024;  // bytes; every writer below writes more

struct Written {
    bool ok = false;
    QString reason;
};

Written fromResult(const platform::files::WriteResult& r) { return {r.ok, r.reason}; }

// Runs a writer that raises its own error type, the reason being the error's text.
template <typename F>
Written raising(F&& write)
{
    try {
        write();
        return {true, {}};
    } catch (const platform::automation::AutomationError& e) {
        return {false, e.description()};
    } catch (const platform::word::WordError& e) {
        return {false, e.description()};
    } catch (const std::exception& e) {
        return {false, QString::fromUtf8(e.what())};
    }
}

class EnglishLabels : public items::StringSource {
public:
    QString GetResString(int id) const override { return QStringLiteral("label %1").arg(id); }
};

items::ItemStore& storeOfFiveALogs()
{
    static items::ItemStore store = [] {
        items::ItemStore s;
        for (int i = 1; i <= 5; ++i) {
            s.ALogs[static_cast<std::size_t>(i)] = test::fullItem(i, true);
            s.ALogs[static_cast<std::size_t>(i)].InUse = true;
            s.WorkItems[static_cast<std::size_t>(i)] = s.ALogs[static_cast<std::size_t>(i)];
        }
        return s;
    }();
    return store;
}

platform::word::DocumentModel& longDocument()
{
    static const std::unique_ptr<platform::word::DocumentModel> model = [] {
        auto m = std::make_unique<platform::word::DocumentModel>();
        QString text;
        for (int i = 0; i < 400; ++i)
            text += QStringLiteral("Line %1 of the report, reading %2 mm.\r").arg(i).arg(i * 37 % 1000);
        m->body.insertText(0, text, 0);
        return m;
    }();
    return *model;
}

QStringList manyLines()
{
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << QStringLiteral("%1,reading,%2").arg(i).arg(i * 13 % 977);
    return lines;
}

struct Writer {
    const char* name;
    const char* fileName;
    std::function<Written(const QString& path)> write;
};

std::vector<Writer> writers(const QString& scratch)
{
    return {
        {"saved-items file", "items.dfd",
         [](const QString& p) { return fromResult(items::SaveItemsFile(storeOfFiveALogs(), p, 1252)); }},
        {"single item", "one.dfd",
         [](const QString& p) { return fromResult(items::SaveSingleItem(storeOfFiveALogs(), 3, items::ALogKind, p, 1252)); }},
        {"ALog CSV export", "trace.csv",
         [](const QString& p) {
             const items::ExportResult r = items::ExportAlogCsv(storeOfFiveALogs(), 2, p, EnglishLabels(), 1252);
             return Written{r.status == items::ExportStatus::Written, r.reason};
         }},
        {"ALog Matlab export", "trace.dat",
         [](const QString& p) {
             const items::ExportResult r = items::ExportAlogMatlab(storeOfFiveALogs(), 2, p, 1252);
             return Written{r.status == items::ExportStatus::Written, r.reason};
         }},
        {"thickness log", "thickness.csv",
         [](const QString& p) {
             QString reason;
             const bool ok = link::Save_Thickness(p, QStringLiteral("."), {QStringLiteral("1,40,40,0,5920,1.0")}, &reason);
             return Written{ok, reason};
         }},
        {"Word document", "report.docx",
         [](const QString& p) { return raising([&] { platform::word::writeDocumentFile(longDocument(), p, platform::word::SaveFormat::Default); }); }},
        {"Word text", "report.txt",
         [](const QString& p) { return raising([&] { platform::word::writeDocumentFile(longDocument(), p, platform::word::SaveFormat::Text); }); }},
        {"Word HTML", "report.htm",
         [](const QString& p) { return raising([&] { platform::word::writeDocumentFile(longDocument(), p, platform::word::SaveFormat::Html); }); }},
        {"Word PDF", "report.pdf",
         [](const QString& p) { return raising([&] { platform::word::writeDocumentFile(longDocument(), p, platform::word::SaveFormat::Pdf); }); }},
        {"Word print into a PDF file", "printout.pdf",
         [](const QString& p) {
             return raising([&] {
                 platform::printing::PdfPrinting printers;
                 platform::word::printDocument(longDocument(), printers, QString(), p);
             });
         }},
        {"control HTML", "table.htm",
         [](const QString& p) { return raising([&] { control::writeHtmlFile(p, manyLines().join(QStringLiteral("<br>\r\n"))); }); }},
        {"control text file", "lines.txt",
         [](const QString& p) { return raising([&] { control::writeTextFileLines(p, manyLines()); }); }},
        {"control PDF", "text.pdf",
         [scratch](const QString& p) {
             return raising([&] {
                 const QString source = scratch + QStringLiteral("/source.txt");
                 QFile f(source);
                 if (!f.exists() && !(f.open(QIODevice::WriteOnly) && f.write(manyLines().join(QStringLiteral("\r\n")).toLatin1()) > 0))
                     throw std::runtime_error("no source text");
                 f.close();
                 control::PdfWriter pdf;
                 pdf.PDFSetup(QStringLiteral("Courier"), 10, 0, 8.5f, 11.0f);
                 pdf.SourceTextFile = source;
                 pdf.PDFFile = p;
                 pdf.PDFWriteHeader();
                 pdf.PDFWriteInfoAndFont();
                 pdf.PDFWriteTextPages();
                 pdf.PDFWriteCatalogAndXref();
             });
         }},
        {"custom dictionary", "custom.dic",
         [](const QString& p) {
             try {
                 platform::spelling::CustomDictionary dictionary(p);
                 dictionary.add(QStringLiteral("ultrasonics"));
                 return Written{true, {}};
             } catch (const platform::spelling::SpellingError& e) {
                 return Written{false, e.description()};
             }
         }},
        {"settings store", "tovu.ini",
         [](const QString& p) {
             try {
                 const QFileInfo info(p);
                 platform::settings::SettingsStore store(info.absolutePath());
                 store.saveSetting(info.completeBaseName(), QStringLiteral("Application"), QStringLiteral("Path"),
                                   QStringLiteral("/home/user/items"));
                 return Written{true, {}};
             } catch (const platform::settings::SettingsError& e) {
                 return Written{false, e.description()};
             }
         }},
        {"class registry", "classes.ini",
         [](const QString& p) {
             return raising([&] {
                 platform::automation::ClassRegistry registry(p);
                 registry.add({QStringLiteral("Verbolt.Document"), QStringLiteral("Verbolt.Table")},
                              QStringLiteral("/usr/lib/tovu/libverbolt.so"));
             });
         }},
        {"A-scan picture", "MetaTest.emf",
         [](const QString& p) {
             QString error;
             const bool ok = platform::metafile::saveMetafile(p, QByteArray(6000, '\x01'), &error);
             return Written{ok, error};
         }},
    };
}

// The file a failed write must leave alone: lines that are a word list for the dictionary
// and settings for the store.
QByteArray oldBytes()
{
    QByteArray b;
    for (int i = 0; i < 400; ++i)
        b += "previous" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\r\n";
    return b;
}

struct ChildOutcome {
    Written written;
    std::string ended;  // how the child ended when it did not report
};

// The writer in a child process, after `hinder` set the condition up there.
ChildOutcome inChild(const std::function<void()>& hinder, const std::function<Written()>& write)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {{}, "no pipe"};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        hinder();
        const Written w = write();
        const QByteArray msg = QByteArray(w.ok ? "1" : "0") + w.reason.toUtf8();
        [[maybe_unused]] const ssize_t n = ::write(fds[1], msg.constData(), static_cast<std::size_t>(msg.size()));
        ::_exit(0);
    }
    ::close(fds[1]);
    QByteArray msg;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        msg.append(buf, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (msg.isEmpty())
        return {{}, WIFSIGNALED(status) ? "killed by signal " + std::to_string(WTERMSIG(status)) : "no report"};
    return {{msg.startsWith('1'), QString::fromUtf8(msg.mid(1))}, {}};
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

enum class Condition { SizeLimit, NoPermission, DiskFull };

struct ConditionCase {
    Condition condition;
    const char* name;
    const char* words;  // what the reason must say
};

// A small file system of its own, filled to the last byte. Needs the right to mount.
class FullDisk {
public:
    explicit FullDisk(const QString& folder) : folder_(folder)
    {
        QDir().mkpath(folder);
        mounted_ = ::mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, "size=256k") == 0;
    }
    ~FullDisk()
    {
        if (mounted_)
            ::umount2(folder_.toLocal8Bit().constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    // Fills what is left after the old file.
    bool fill() const
    {
        QFile filler(folder_ + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        const QByteArray byte(1, 'f');
        while (filler.write(byte) == 1) {
        }
        struct statvfs fs {};
        return ::statvfs(folder_.toLocal8Bit().constData(), &fs) == 0 && fs.f_bavail == 0;
    }

private:
    QString folder_;
    bool mounted_ = false;
};

class WriterFailure : public ::testing::TestWithParam<ConditionCase> {};

} // namespace

TEST_P(WriterFailure, KeepsTheOldFileAndSaysWhy)
{
    const ConditionCase c = GetParam();
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const bool root = ::geteuid() == 0;
    // As root the child writes as nobody, who may read the scratch folder but write none of it.
    if (root) {
        ASSERT_EQ(::chmod(scratch.path().toLocal8Bit().constData(), 0755), 0);
    }
    int checked = 0;
    for (const Writer& w : writers(scratch.path())) {
        SCOPED_TRACE(w.name);
        // Unhindered first: the writer works, and writes more than the size limit.
        const QString probe = scratch.filePath(QStringLiteral("probe-") + QString::fromLatin1(w.fileName));
        ASSERT_TRUE(writeBytes(probe, oldBytes()));
        const Written free = w.write(probe);
        ASSERT_TRUE(free.ok) << free.reason.toStdString();
        ASSERT_GT(QFileInfo(probe).size(), static_cast<qint64>(kSizeLimit));

        const QString folder = scratch.filePath(QStringLiteral("target-") + QString::number(checked));
        std::unique_ptr<FullDisk> disk;
        if (c.condition == Condition::DiskFull) {
            disk = std::make_unique<FullDisk>(folder);
            if (!disk->mounted())
                GTEST_SKIP() << "a small file system cannot be mounted here (needs root)";
        } else {
            ASSERT_TRUE(QDir().mkpath(folder));
        }
        const QString target = folder + u'/' + QString::fromLatin1(w.fileName);
        ASSERT_TRUE(writeBytes(target, oldBytes()));
        if (disk) {
            ASSERT_TRUE(disk->fill());
        }
        const QStringList before = entriesOf(folder);
        if (c.condition == Condition::NoPermission && !root) {
            ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }

        const auto hinder = [&] {
            if (c.condition == Condition::SizeLimit) {
                const rlimit limit{kSizeLimit, kSizeLimit};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            } else if (c.condition == Condition::NoPermission && root) {
                // The folder is root's; as nobody the program may not write it.
                [[maybe_unused]] const int g = ::setgid(65534);
                [[maybe_unused]] const int u = ::setuid(65534);
            }
        };
        const ChildOutcome out = inChild(hinder, [&] { return w.write(target); });
        if (c.condition == Condition::NoPermission && !root)
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        ASSERT_TRUE(out.ended.empty()) << "the writer " << out.ended;
        EXPECT_FALSE(out.written.ok) << "reported success";
        EXPECT_TRUE(out.written.reason.contains(QLatin1String(c.words))) << out.written.reason.toStdString();
        EXPECT_TRUE(out.written.reason.contains(QDir::toNativeSeparators(target))) << out.written.reason.toStdString();
        EXPECT_EQ(readBytes(target), oldBytes()) << "the old file changed";
        EXPECT_EQ(entriesOf(folder), before) << "a temporary file was left";
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(writers(scratch.path()).size()));
}

INSTANTIATE_TEST_SUITE_P(
    EveryWriter, WriterFailure,
    ::testing::Values(ConditionCase{Condition::SizeLimit, "SizeLimit", "the file is larger than this system allows"},
                      ConditionCase{Condition::NoPermission, "NoPermission", "permission denied"},
                      ConditionCase{Condition::DiskFull, "DiskFull", "the disk is full"}),
    [](const auto& info) { return std::string(info.param.name); });

// The atomic write itself: what a success keeps and what a cancel leaves.
TEST(AtomicFile, SuccessKeepsTheFilesPermissionsAndFollowsALink)
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.txt"));
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    ASSERT_TRUE(writeBytes(real, "old"));
    ASSERT_TRUE(QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    ASSERT_TRUE(QFile::link(real, link));
    const platform::files::WriteResult r = platform::files::writeFileAtomically(link, "new bytes");
    ASSERT_TRUE(r.ok) << r.reason.toStdString();
    EXPECT_TRUE(r.reason.isEmpty());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(real), "new bytes");
    struct stat st {};
    ASSERT_EQ(::stat(real.toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{"link.txt", "real.txt"}));
}

TEST(AtomicFile, NothingIsRenamedUnlessCommitted)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    ASSERT_TRUE(writeBytes(path, "old"));
    {
        platform::files::AtomicFile file(path);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("half of it"));
        EXPECT_EQ(entriesOf(dir.path()).size(), 2);  // the temporary file beside it
    }  // dropped without commit
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"f.txt"});

    platform::files::AtomicFile cancelled(path);
    ASSERT_TRUE(cancelled.write("more"));
    cancelled.cancel();
    EXPECT_FALSE(cancelled.commit());  // a cancelled file is never committed later
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(entriesOf(dir.path()), QStringList{"f.txt"});
}

TEST(AtomicFile, UnwritablePlacesAreReportedInWords)
{
    QTemporaryDir dir;
    const struct {
        QString path;
        const char* words;
    } cases[] = {
        {dir.filePath(QStringLiteral("no/such/folder/f.txt")), "the folder does not exist"},
        {dir.path(), "a folder of that name is in the way"},
        {QString(), "the folder does not exist"},
    };
    for (const auto& c : cases) {
        const platform::files::WriteResult r = platform::files::writeFileAtomically(c.path, "x");
        EXPECT_FALSE(r.ok) << c.words;
        EXPECT_TRUE(r.reason.contains(QLatin1String(c.words))) << r.reason.toStdString();
    }
    EXPECT_EQ(entriesOf(dir.path()), QStringList{});
}
