#include "model/FileReplacement.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
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

bool FileReplacement::replaceLinkToo(const QString &fileName, QByteArrayView content,
                                     QString *error)
{
    const auto failed = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    // A file made afresh beside the name (created exclusively, so never
    // through a link) is renamed onto it: rename replaces the name itself,
    // whatever it was.
    const QFileInfo target(fileName);
    QTemporaryFile file(target.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return failed(file.errorString());
    if (file.write(content.data(), content.size()) != content.size() || !file.flush())
        return failed(file.errorString());
    if (::fsync(file.handle()) != 0)
        return failed(QString::fromLocal8Bit(std::strerror(errno)));
    const QByteArray from = QFile::encodeName(file.fileName());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    if (::rename(from.constData(), to.constData()) != 0)
        return failed(QString::fromLocal8Bit(std::strerror(errno)));
    file.setAutoRemove(false);
    return true;
}

bool FileReplacement::replace(const QString &fileName, QByteArrayView content, QString *error)
{
    FileReplacement file(fileName);
    const bool written = file.open() && file.write(content) && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}
