#include "platform/files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovu::platform::files {

namespace {

// A write past the process's file-size limit raises SIGXFSZ, which by default ends the
// process with everything in memory. Ignored, the write fails with EFBIG instead and is
// reported like a full disk. A handler the host installed is left in place.
void ignoreFileSizeSignal()
{
    static const bool done = [] {
        struct sigaction current {};
        if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            struct sigaction ignore {};
            ignore.sa_handler = SIG_IGN;
            ::sigemptyset(&ignore.sa_mask);
            ::sigaction(SIGXFSZ, &ignore, nullptr);
        }
        return true;
    }();
    (void)done;
}

QString wordsFor(int error)
{
    switch (error) {
    case ENOSPC: return QStringLiteral("the disk is full");
    case EDQUOT: return QStringLiteral("the disk space allowed to you is used up");
    case EFBIG: return QStringLiteral("the file is larger than this system allows");
    case EACCES:
    case EPERM: return QStringLiteral("permission denied");
    case EROFS: return QStringLiteral("the disk is read-only");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("the folder does not exist");
    case EISDIR: return QStringLiteral("a folder of that name is in the way");
    case ENAMETOOLONG: return QStringLiteral("the name is too long");
    case EIO: return QStringLiteral("the disk reported an error");
    case EMFILE:
    case ENFILE: return QStringLiteral("too many files are open");
    case EBUSY:
    case ETXTBSY: return QStringLiteral("the file is in use");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

} // namespace

QString writeFailureReason(const QString& file, int error)
{
    return QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(file), wordsFor(error));
}

AtomicFile::AtomicFile(QString path, Durability durability) : target_(std::move(path)), durability_(durability)
{
    result_.file = target_;
    // A link is followed, so the file it names is replaced and the link stays.
    const QFileInfo info(target_);
    if (info.isSymLink() && info.exists())
        target_ = info.canonicalFilePath();
}

AtomicFile::~AtomicFile()
{
    if (fd_ >= 0 || !temp_.isEmpty())
        cancel();
}

bool AtomicFile::fail(int error)
{
    if (!failed_) {
        failed_ = true;
        result_.ok = false;
        result_.error = error;
        result_.reason = writeFailureReason(result_.file, error);
    }
    cancel();
    return false;
}

bool AtomicFile::open()
{
    if (failed_ || fd_ >= 0)
        return !failed_;
    ignoreFileSizeSignal();
    if (target_.isEmpty())
        return fail(ENOENT);
    const QFileInfo info(target_);
    if (info.isDir())
        return fail(EISDIR);
    // Beside the target, so that the rename stays on one file system.
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp_ = target_ + QStringLiteral(".tmp-") + QString::number(QRandomGenerator::global()->generate(), 36);
        // Made with the usual permissions; an existing file's are copied below.
        fd_ = ::open(encoded(temp_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0)
            break;
        if (errno != EEXIST) {
            const int error = errno;
            temp_.clear();
            return fail(error);
        }
    }
    if (fd_ < 0) {
        temp_.clear();
        return fail(EEXIST);
    }
    struct stat old {};
    if (::stat(encoded(target_).constData(), &old) == 0)
        ::fchmod(fd_, old.st_mode & 07777);
    return true;
}

bool AtomicFile::write(QByteArrayView bytes)
{
    if (failed_)
        return false;
    if (fd_ < 0 && !open())
        return false;
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, static_cast<std::size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        if (n == 0)
            return fail(EIO);
        p += n;
        left -= n;
    }
    return true;
}

bool AtomicFile::commit()
{
    if (failed_)
        return false;
    if (fd_ < 0 && !open())
        return false;
    if (durability_ == Durability::Synced && ::fsync(fd_) != 0 && errno != EINVAL)
        return fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        const int error = errno;
        ::unlink(encoded(temp_).constData());
        temp_.clear();
        return fail(error);
    }
    if (::rename(encoded(temp_).constData(), encoded(target_).constData()) != 0)
        return fail(errno);
    temp_.clear();
    if (durability_ == Durability::Synced) {
        // The rename itself reaches the disk with its folder.
        const int dir = ::open(encoded(QFileInfo(target_).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    result_.ok = true;
    result_.reason.clear();
    return true;
}

void AtomicFile::cancel()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.isEmpty()) {
        ::unlink(encoded(temp_).constData());
        temp_.clear();
    }
    // A cancelled file is never committed later.
    if (!failed_) {
        failed_ = true;
        result_.reason = QStringLiteral("%1 was not written: writing was cancelled").arg(QDir::toNativeSeparators(result_.file));
    }
    result_.ok = false;
}

WriteResult writeFileAtomically(const QString& path, QByteArrayView bytes, Durability durability)
{
    AtomicFile file(path, durability);
    if (file.open() && file.write(bytes))
        file.commit();
    return file.result();
}

} // namespace tovu::platform::files
