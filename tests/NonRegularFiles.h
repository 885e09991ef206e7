#pragma once

// Files that are no plain files for a reader: a FIFO that a program has
// written a few bytes into, and a file larger than any reader takes.

#include "model/InputFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A FIFO holding bytes whose writer goes away after a moment. A reader
// that takes it for a file gets the bytes and the end then, so a test of
// such a reader fails instead of hanging; one that refuses it never waits.
class FedFifo
{
public:
    FedFifo(const QString &path, const QByteArray &bytes)
    {
        const QByteArray name = QFile::encodeName(path);
        if (::mkfifo(name.constData(), 0600) != 0)
            return;
        // Open for reading and writing, so that opening waits for nobody.
        m_fd = ::open(name.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0 || ::write(m_fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
            return;
        m_closer = std::thread([this] {
            std::unique_lock lock(m_mutex);
            m_done.wait_for(lock, std::chrono::seconds(1), [this] { return m_finished; });
            ::close(m_fd);
        });
    }

    ~FedFifo()
    {
        if (!m_closer.joinable()) {
            if (m_fd >= 0)
                ::close(m_fd);
            return;
        }
        {
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_one();
        m_closer.join();
    }

    FedFifo(const FedFifo &) = delete;
    FedFifo &operator=(const FedFifo &) = delete;

    bool isValid() const { return m_closer.joinable(); }

private:
    int m_fd = -1;
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_closer;
};

// bytes, then zeros up to one byte more than any reader takes. The zeros
// are a hole: the file takes no room on the disk.
inline bool writeOversizeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
           && file.resize(InputFile::MaxSize + 1);
}

// Bytes offered to a reader in a way it must refuse, by kind: "FIFO" (fed
// with them), "device" (/dev/zero in their place), "folder" (none of them)
// or "too large" (them, then a hole).
class SpecialFile
{
public:
    SpecialFile(const QString &kind, const QString &path, const QByteArray &bytes) : m_path(path)
    {
        if (kind == QLatin1String("FIFO")) {
            m_fifo = std::make_unique<FedFifo>(path, bytes);
            m_valid = m_fifo->isValid();
        } else if (kind == QLatin1String("device")) {
            m_path = QStringLiteral("/dev/zero");
            m_valid = QFile::exists(m_path);
        } else if (kind == QLatin1String("folder")) {
            m_valid = QDir().mkpath(path);
        } else if (kind == QLatin1String("too large")) {
            m_valid = writeOversizeFile(path, bytes);
        }
    }

    static QStringList kinds() { return {"FIFO", "device", "folder", "too large"}; }

    bool isValid() const { return m_valid; }
    // What to name to the reader.
    QString path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<FedFifo> m_fifo;
    bool m_valid = false;
};
