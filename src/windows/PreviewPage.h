#pragma once

#include "preview/PreviewRun.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QSpinBox;
class QToolButton;
class PreviewRunner;
class PrintedPagesView;

// The "Preview" page of a report window: the pages a run prints, as they
// come, with page navigation, zoom and the messages of the run. A run goes
// on while the page shows what it has; Cancel stops it at once.
class PreviewPage : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewPage(QWidget *parent = nullptr);
    ~PreviewPage() override;

    // Starts a run of source over data, replacing what the page showed.
    void run(const QByteArray &source, const DataSource &data, const PreviewOptions &options);
    void cancel();
    bool running() const;
    // Whether a run was started and not cancelled: it runs still, or it
    // printed what it could.
    bool hasRun() const { return m_started && !m_cancelled; }

    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();

    PrintedPagesView *view() const { return m_view; }
    QList<PrintedPage> pages() const;
    QList<PreviewMessage> messages() const { return m_messages; }
    QLabel *pageLabel() const { return m_pageLabel; }
    QLabel *progressLabel() const { return m_progressLabel; }
    QListWidget *messageList() const { return m_messageList; }
    QToolButton *cancelButton() const { return m_cancelButton; }

signals:
    // The user asked to run the preview again.
    void runRequested();
    // A message was double-clicked: the source line it concerns.
    void sourceLineRequested(int line);
    // The first page of a run is there.
    void firstPagePrinted();
    void runFinished(PreviewOutcome outcome);

private:
    QWidget *createToolBar();
    void addShortcuts();
    void addPage(const PrintedPage &page);
    void addMessage(const PreviewMessage &message);
    void showRows(qint64 rows);
    void finish(PreviewOutcome outcome);
    void updatePageLabel();
    void messageActivated(QListWidgetItem *item);
    // The password of the data source never shows, whoever wrote the text.
    QString masked(QString text) const;

    PreviewRunner *m_runner = nullptr;
    PrintedPagesView *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
    QLabel *m_progressLabel = nullptr;
    QListWidget *m_messageList = nullptr;
    QToolButton *m_cancelButton = nullptr;
    QToolButton *m_runButton = nullptr;
    QCheckBox *m_allPages = nullptr;
    QSpinBox *m_zoom = nullptr;
    QList<PreviewMessage> m_messages;
    QString m_password;
    QString m_dataDescription;
    qint64 m_rows = 0;
    bool m_started = false;
    bool m_cancelled = false;
};
