#include "system/AtomicFile.h"

#include "system/FileDescriptor.h"
#include "system/FileError.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

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
// again. Returns 0 or the errno of the failure.
int rewriteInPlace(const QByteArray &target, const QByteArray &bytes)
{
    FileDescriptor fd(::open(target.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (fd.get() < 0 || !writeAll(fd.get(), bytes) || fd.release() != 0)
        return errno;
    return 0;
}

// The replacement itself; returns 0 or the errno of the step that failed.
int replaceFile(const QString &path, const QByteArray &bytes, AtomicFile::InPlace inPlace)
{
    const QFileInfo info(path);
    const QString targetPath = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QByteArray target = QFile::encodeName(targetPath);

    mode_t mode = 0;
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (exists) {
        if (!S_ISREG(st.st_mode))
            return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        // Refused as it would be refused in place: read-only, or locked by another program.
        FileDescriptor probe(::open(target.constData(), O_WRONLY | O_CLOEXEC));
        if (probe.get() < 0 || ::flock(probe.get(), LOCK_EX | LOCK_NB) != 0)
            return errno;
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    const QFileInfo targetInfo(targetPath);
    QByteArray temporary = QFile::encodeName(targetInfo.absolutePath() + QStringLiteral("/.") +
                                             targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0) {
        const int error = errno;
        if (exists && inPlace == AtomicFile::InPlace::Allowed &&
            (error == EACCES || error == EPERM || error == EROFS))
            return rewriteInPlace(target, bytes);
        return error;
    }
    const auto fail = [&temporary] {
        const int error = errno;
        ::unlink(temporary.constData());
        return error;
    };
    if (::fchmod(fd.get(), mode) != 0 || !writeAll(fd.get(), bytes))
        return fail();
    // The owner is kept where the system allows it (always for one's own files); elsewhere
    // the new file belongs to the writer, which is no reason to refuse the write.
    if (exists)
        (void)!::fchown(fd.get(), st.st_uid, st.st_gid);
    if (fd.release() != 0 || ::rename(temporary.constData(), target.constData()) != 0)
        return fail();
    // The rename is made durable by syncing the directory; a failure here leaves a complete
    // file either way, so it is not reported.
    FileDescriptor dir(::open(QFile::encodeName(targetInfo.absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return 0;
}

} // namespace

void AtomicFile::replace(const QString &path, const QByteArray &bytes, InPlace inPlace)
{
    if (const int error = replaceFile(path, bytes, inPlace))
        throw FileError::cannotCreate(path, FileError::systemText(error));
}

bool AtomicFile::write(const QString &path, const QByteArray &bytes, QString *systemText)
{
    const int error = replaceFile(path, bytes, InPlace::Refused);
    if (error && systemText)
        *systemText = FileError::systemText(error);
    return error == 0;
}

} // namespace sorvane
