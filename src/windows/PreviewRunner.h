#pragma once

#include "preview/PreviewRun.h"

#include <QObject>

#include <memory>
#include <vector>

class QThread;

// Runs previews on a thread of their own, so that a long report never
// stops the window, and hands what they print to the runner's thread as
// signals. Starting a run cancels the one before; what a cancelled run
// still sends is dropped. Destroying the runner cancels every run and
// waits for their threads.
class PreviewRunner : public QObject
{
    Q_OBJECT

public:
    explicit PreviewRunner(QObject *parent = nullptr);
    ~PreviewRunner() override;

    void start(const QByteArray &source, const DataSource &data, const PreviewOptions &options);
    // The run stops at its next row or line; from now on it sends nothing.
    void cancel();
    bool running() const { return m_running; }

    // The rows read are sent at most every few milliseconds, and once more
    // at the end.
    static constexpr int RowsInterval = 50;

signals:
    void pagePrinted(const PrintedPage &page);
    void messageGiven(const PreviewMessage &message);
    void rowsRead(qint64 rows);
    void finished(PreviewOutcome outcome);

private:
    struct Run;
    class Forwarder;

    void threadFinished(QThread *thread);

    std::vector<std::shared_ptr<Run>> m_runs;
    int m_currentRun = 0;
    bool m_running = false;
};
