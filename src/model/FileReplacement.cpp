#include "model/FileReplacement.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

FileReplacement::FileReplacement(const QString &fileName) : m_file(fileName)
{
    m_file.setDirectWriteFallback(false);
}

bool FileReplacement::open(std::optional<QFileDevice::Permissions> permissions)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(m_file.errorString());
    if (permissions && !m_file.setPermissions(*permissions))
        return fail(m_file.errorString());
    return true;
}

bool FileReplacement::write(QByteArrayView bytes)
{
    if (m_failed || !m_file.isOpen())
        return false;
    // A write cut short (a full disk, a limit on file sizes) says nothing
    // of why; writing the rest fails with the reason.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = m_file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            return fail(m_file.errorString());
        done += written;
    }
    return true;
}

bool FileReplacement::commit()
{
    if (m_failed || !m_file.isOpen())
        return false;
    // commit() syncs too but does not look at the result; space a file
    // system allocates late shows only here.
    if (::fsync(m_file.handle()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!m_file.commit())
        return fail(m_file.errorString());
    return true;
}

bool FileReplacement::fail(const QString &error)
{
    if (!m_failed)
        m_error = error;
    m_failed = true;
    if (m_file.isOpen())
        m_file.cancelWriting();
    return false;
}

bool FileReplacement::replace(const QString &fileName, QByteArrayView content, QString *error)
{
    FileReplacement file(fileName);
    const bool written = file.open() && file.write(content) && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}
