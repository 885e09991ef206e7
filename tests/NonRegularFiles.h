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

// A FIFO that no writer holds open: none ever came (Writer::None), or one
// wrote bytes and went (Writer::Finished; its bytes wait in the FIFO). A
// reader that waits for a writer is released after two seconds by one that
// writes nothing, so a test of such a reader fails instead of hanging.
class WriterlessFifo
{
public:
    enum class Writer { None, Finished };

    WriterlessFifo(const QString &path, Writer writer, const QByteArray &bytes = {})
        : m_name(QFile::encodeName(path))
    {
        if (::mkfifo(m_name.constData(), 0600) != 0)
            return;
        // A reader of its own keeps the written bytes in the FIFO, and lets
        // a writer open without waiting.
        m_reader = ::open(m_name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (m_reader < 0)
            return;
        if (writer == Writer::Finished) {
            const int fd = ::open(m_name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            const bool written =
                fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
            if (fd >= 0)
                ::close(fd);
            if (!written)
                return;
        }
        m_releaser = std::thread([this] {
            std::unique_lock lock(m_mutex);
            if (m_done.wait_for(lock, std::chrono::seconds(2), [this] { return m_finished; }))
                return;
            const int fd = ::open(m_name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        });
    }

    ~WriterlessFifo()
    {
        if (m_releaser.joinable()) {
            {
                const std::lock_guard lock(m_mutex);
                m_finished = true;
            }
            m_done.notify_one();
            m_releaser.join();
        }
        if (m_reader >= 0)
            ::close(m_reader);
    }

    WriterlessFifo(const WriterlessFifo &) = delete;
    WriterlessFifo &operator=(const WriterlessFifo &) = delete;

    bool isValid() const { return m_releaser.joinable(); }

private:
    QByteArray m_name;
    int m_reader = -1;
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_releaser;
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
