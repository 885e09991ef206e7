#include "windows/PreviewRunner.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QThread>

#include <atomic>

struct PreviewRunner::Run
{
    int id = 0;
    std::atomic<bool> cancelled{false};
    std::unique_ptr<QThread> thread;
};

// Lives on the run's thread: everything it is told travels to the runner's
// thread as a queued call, tagged with the run it belongs to.
class PreviewRunner::Forwarder : public PreviewObserver
{
public:
    Forwarder(PreviewRunner *runner, std::shared_ptr<Run> run)
        : m_runner(runner), m_run(std::move(run))
    {
        m_sinceRows.start();
    }

    void pagePrinted(const PrintedPage &page) override
    {
        post([page](PreviewRunner *runner) { emit runner->pagePrinted(page); });
    }

    void message(const PreviewMessage &message) override
    {
        post([message](PreviewRunner *runner) { emit runner->messageGiven(message); });
    }

    void rowsRead(qint64 rows) override
    {
        m_rows = rows;
        // One event per row would flood the window's queue.
        if (m_sinceRows.elapsed() >= RowsInterval) {
            m_sinceRows.restart();
            sendRows();
        }
    }

    bool cancelRequested() const override
    {
        return m_run->cancelled.load(std::memory_order_relaxed);
    }

    void finish(PreviewOutcome outcome)
    {
        sendRows();
        post([outcome](PreviewRunner *runner) {
            runner->m_running = false;
            emit runner->finished(outcome);
        });
    }

private:
    void sendRows()
    {
        post([rows = m_rows](PreviewRunner *runner) { emit runner->rowsRead(rows); });
    }

    template<class Send>
    void post(Send send)
    {
        PreviewRunner *runner = m_runner;
        const int id = m_run->id;
        QMetaObject::invokeMethod(
            runner,
            [runner, id, send = std::move(send)] {
                if (id == runner->m_currentRun)
                    send(runner);
            },
            Qt::QueuedConnection);
    }

    PreviewRunner *m_runner;
    std::shared_ptr<Run> m_run;
    QElapsedTimer m_sinceRows;
    qint64 m_rows = 0;
};

PreviewRunner::PreviewRunner(QObject *parent) : QObject(parent) {}

PreviewRunner::~PreviewRunner()
{
    // The threads post to this object: they must end before it does.
    for (const auto &run : m_runs)
        run->cancelled = true;
    for (const auto &run : m_runs)
        run->thread->wait();
}

void PreviewRunner::start(const QByteArray &source, const DataSource &data,
                          const PreviewOptions &options)
{
    cancel();
    static std::atomic<int> nextRun{0};
    auto run = std::make_shared<Run>();
    run->id = ++nextRun;
    m_currentRun = run->id;
    m_running = true;
    // The cancelled run ends on its own thread; it is not waited for here,
    // since a database may take a while to notice.
    run->thread.reset(QThread::create([this, run, source, data, options] {
        Forwarder forwarder(this, run);
        forwarder.finish(runPreview(source, data, options, forwarder));
    }));
    QThread *thread = run->thread.get();
    connect(thread, &QThread::finished, this, [this, thread] { threadFinished(thread); });
    m_runs.push_back(run);
    thread->start();
}

void PreviewRunner::cancel()
{
    for (const auto &run : m_runs) {
        if (run->id == m_currentRun)
            run->cancelled = true;
    }
    m_currentRun = 0;
    m_running = false;
}

void PreviewRunner::threadFinished(QThread *thread)
{
    const auto found = std::find_if(m_runs.begin(), m_runs.end(), [thread](const auto &run) {
        return run->thread.get() == thread;
    });
    if (found == m_runs.end())
        return;
    thread->wait();
    // Deleted once the signal that brought us here is done with it.
    (*found)->thread.release()->deleteLater();
    m_runs.erase(found);
}
