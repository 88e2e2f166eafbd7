#include "dataset/DataFile.h"

#include "system/AtomicFile.h"
#include "system/Error.h"
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

FileError openError(const QString &path, int error)
{
    return FileError::cannotOpen(path, FileError::systemText(error));
}


} // namespace

QByteArray DataFile::read(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QByteArray native = QFile::encodeName(path);
    FileDescriptor fd(::open(native.constData(), O_RDONLY | O_CLOEXEC));
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
    AtomicFile::replace(path, bytes, AtomicFile::InPlace::Allowed);
}

} // namespace sorvane
