#pragma once

#include <QDialog>

class QProgressBar;

// The "Printing" window: a progress bar over the printed lines and a
// Cancel button that takes effect between lines.
class PrintingWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PrintingWindow(int lineCount, QWidget *parent = nullptr);

    void stepProgress();
    bool cancelled() const { return m_cancelled; }
    QProgressBar *progressBar() const { return m_progress; }

private:
    QProgressBar *m_progress = nullptr;
    bool m_cancelled = false;
};
