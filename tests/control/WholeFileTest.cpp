// Files the control writes replace an existing file only when they are complete: a write
// that fails part-way (here: the process may not make files larger than a few kilobytes)
// leaves the old file byte for byte, and no temporary file behind.
#include "ControlFixture.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <sys/resource.h>

namespace tovu::control::testing {
namespace {

using automation::SafeArray;

// While alive, no file of this process grows beyond limit bytes: a write past it fails
// (the signal it would raise is ignored) as a full disk would fail it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit now = old_;
        now.rlim_cur = limit;
        applied_ = setrlimit(RLIMIT_FSIZE, &now) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }
    bool applied() const { return applied_; }

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
    bool applied_ = false;
};

class WholeFileTest : public ControlTest {
protected:
    QByteArray bytesOf(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(WholeFileTest, AFailedWriteLeavesTheOldFileAsItWas)
{
    // Far more than the limit below, in each writer's output.
    std::vector<Variant> values;
    for (int i = 0; i < 3000; ++i)
        values.emplace_back(QStringLiteral("element number %1").arg(i));
    const Variant oneD(SafeArray::ofValues(values));
    const Variant twoD(SafeArray::ofElements({{0, 999}, {0, 2}}, values));
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += "line of the text file " + QByteArray::number(i) + "\r\n";
    const QString textFile = file(QStringLiteral("source.txt"));
    writeFile(textFile, text);

    struct Case {
        const char* method;
        Args args;  // the target file goes in at index 1 (after the text file for the PDF)
        std::int16_t failure;
    };
    const std::vector<Case> cases = {
        {"OneDArrayToHTMLFile", {oneD}, -2},
        {"TwoDArrayToHTMLFile", {twoD}, -2},
        {"OneDArrayToTextFile", {oneD}, -2},
        {"TwoDArrayToTextFile", {twoD}, -2},
        {"CreatePDFFromFile", {Variant(textFile)}, -2},
    };
    const QByteArray old = "the old file, which must survive\r\n";
    for (const Case& c : cases) {
        const QString target = file(QStringLiteral("target-%1.out").arg(QLatin1String(c.method)));
        writeFile(target, old);
        Args args = c.args;
        args.insert(args.begin() + 1, Variant(target));
        {
            FileSizeLimit limit(4096);
            ASSERT_TRUE(limit.applied());
            EXPECT_EQ(call(c.method, args).toInteger(), c.failure) << c.method;
        }
        EXPECT_EQ(bytesOf(target), old) << c.method;
        // Without the limit the same call replaces the file whole.
        Args again = args;
        EXPECT_EQ(call(c.method, again).toInteger(), 1) << c.method;
        EXPECT_GT(bytesOf(target).size(), 4096) << c.method;
    }
    // No temporary file is left beside the targets.
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
        EXPECT_TRUE(name == QLatin1String("source.txt") || name.startsWith(QLatin1String("target-")))
            << name.toStdString();
}

} // namespace
} // namespace tovu::control::testing
