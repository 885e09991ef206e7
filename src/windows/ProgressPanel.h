#pragma once

#include "generation/GenerationOutlet.h"

#include <QFrame>

class QLabel;
class QProgressBar;

// The strip at the bottom of a report window that shows what long work is
// doing: a label and a progress bar, hidden while nothing runs.
class ProgressPanel : public QFrame, public GenerationProgress
{
    Q_OBJECT

public:
    explicit ProgressPanel(QWidget *parent = nullptr);

    QLabel *label() const { return m_label; }
    QProgressBar *progressBar() const { return m_bar; }

    void showProgressPanel() override;
    void hideProgressPanel() override;
    void setProgressLabel(const QString &text) override;
    void setProgressMaximum(int maximum) override;
    void setProgressStep(int step) override;
    void stepProgress() override;
    void processPendingEvents() override;

private:
    QLabel *m_label;
    QProgressBar *m_bar;
    int m_step = 1;
};
