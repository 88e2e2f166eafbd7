#include "dataset/DataFile.h"

#include "system/Error.h"
#include "system/FileError.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

FileError openError(const QString &path, int error)
{
    return FileError::cannotOpen(QFileInfo(path).absoluteFilePath(), FileError::systemText(error));
}

FileError createError(const QString &path, int error)
{
    return FileError::cannotCreate(QFileInfo(path).absoluteFilePath(),
                                   FileError::systemText(error));
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    /// Closes now and reports the result, for writes whose errors only close reveals.
    int release()
    {
        const int r = ::close(m_fd);
        m_fd = -1;
        return r;
    }

private:
    int m_fd;
};

// Writes everything and syncs it to the disk; false with errno set on failure.
bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, std::size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return ::fsync(fd) == 0;
}

// The last resort where the directory takes no new file: the file is truncated and written
// again, and a failure half-way is reported while the table is still in memory.
void rewriteInPlace(const QByteArray &target, const QString &path, const QByteArray &bytes)
{
    Descriptor fd(::open(target.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (fd.get() < 0 || !writeAll(fd.get(), bytes) || fd.release() != 0)
        throw createError(path, errno);
}

} // namespace

QByteArray DataFile::read(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QByteArray native = QFile::encodeName(path);
    Descriptor fd(::open(native.constData(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return {};
        throw openError(path, errno);
    }
    // Other programs may read the file meanwhile but not hold it locked for writing.
    if (::flock(fd.get(), LOCK_SH | LOCK_NB) != 0)
        throw openError(path, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw openError(path, errno);
    if (S_ISDIR(st.st_mode))
        throw openError(path, EISDIR);
    QByteArray bytes;
    bytes.reserve(qsizetype(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw openError(path, errno);
        }
        if (n == 0)
            break;
        bytes.append(buffer, qsizetype(n));
    }
    return bytes;
}

void DataFile::write(const QString &path, const QByteArray &bytes)
{
    // A link is followed, so the file it names is replaced and the link stays.
    const QFileInfo info(path);
    const QString targetPath = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QByteArray target = QFile::encodeName(targetPath);

    mode_t mode = 0;
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (exists) {
        if (!S_ISREG(st.st_mode))
            throw createError(path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        // A read-only file is refused, as it would be refused in place, and so is one that
        // another program holds locked.
        Descriptor probe(::open(target.constData(), O_WRONLY | O_CLOEXEC));
        if (probe.get() < 0 || ::flock(probe.get(), LOCK_EX | LOCK_NB) != 0)
            throw createError(path, errno);
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    QByteArray temporary =
        QFile::encodeName(QFileInfo(targetPath).absolutePath() + QStringLiteral("/.") +
                          QFileInfo(targetPath).fileName() + QStringLiteral(".XXXXXX"));
    Descriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0) {
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM || error == EROFS)) {
            rewriteInPlace(target, path, bytes);
            return;
        }
        throw createError(path, error);
    }
    const auto fail = [&](int error) {
        ::unlink(temporary.constData());
        return createError(path, error);
    };
    if (::fchmod(fd.get(), mode) != 0 || !writeAll(fd.get(), bytes))
        throw fail(errno);
    // The owner is kept where the system allows it (always for one's own files); elsewhere
    // the new file belongs to the writer, which is no reason to refuse the write.
    if (exists)
        (void)!::fchown(fd.get(), st.st_uid, st.st_gid);
    if (fd.release() != 0)
        throw fail(errno);
    if (::rename(temporary.constData(), target.constData()) != 0)
        throw fail(errno);
    // The rename itself is made durable by syncing the directory; a failure here leaves a
    // complete file either way, so it is not reported.
    Descriptor dir(::open(QFile::encodeName(QFileInfo(targetPath).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

} // namespace sorvane
