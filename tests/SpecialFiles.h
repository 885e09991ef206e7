#pragma once

// Files that are no plain files for a reader: a FIFO that a program has
// written a few bytes into, and a file larger than any reader takes.

#include "model/InputFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <chrono>
#include <condition_variable>
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
