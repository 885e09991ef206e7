#include "model/InputFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace InputFile {
namespace {

constexpr qsizetype ChunkSize = 64 * 1024;

// Closes the descriptor on every way out.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

std::optional<QByteArray> refuse(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

std::optional<QByteArray> read(const QString &fileName, QString *error)
{
    // Opening a FIFO for reading waits for a writer unless it is opened
    // without blocking; what was opened is then known for sure, where a
    // test of the name first could be fooled by a file swapped in between.
    const Descriptor file(::open(QFile::encodeName(fileName).constData(),
                                 O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.fd() < 0)
        return refuse(error, systemError());
    struct stat status = {};
    if (::fstat(file.fd(), &status) != 0)
        return refuse(error, systemError());
    if (!S_ISREG(status.st_mode))
        return refuse(error, QStringLiteral("not a regular file"));
    const QString tooLarge = QStringLiteral("larger than %1 MiB").arg(MaxSize / (1024 * 1024));
    if (status.st_size > MaxSize)
        return refuse(error, tooLarge);

    // Read to the end rather than to the size: some files (those of /proc)
    // say they are empty and are not, and a file may grow meanwhile.
    QByteArray bytes;
    bytes.reserve(qsizetype(status.st_size));
    char chunk[ChunkSize];
    for (;;) {
        const ssize_t count = ::read(file.fd(), chunk, sizeof chunk);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return refuse(error, systemError());
        if (count == 0)
            return bytes;
        if (bytes.size() + count > MaxSize)
            return refuse(error, tooLarge);
        bytes.append(chunk, count);
    }
}

} // namespace InputFile
