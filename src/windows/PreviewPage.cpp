#include "windows/PreviewPage.h"

#include "windows/PreviewRunner.h"
#include "windows/PrintedPagesView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// "1 row", "2,500 rows".
QString counted(qint64 count, const char *one, const char *many)
{
    return QStringLiteral("%L1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

QToolButton *toolButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon,
                        const QString &text, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

} // namespace

PreviewPage::PreviewPage(QWidget *parent)
    : QWidget(parent), m_runner(new PreviewRunner(this)), m_view(new PrintedPagesView(this))
{
    setObjectName(QStringLiteral("PreviewPanel"));
    m_progressLabel = new QLabel(this);
    m_progressLabel->setObjectName(QStringLiteral("PreviewProgress"));
    m_messageList = new QListWidget(this);
    m_messageList->setObjectName(QStringLiteral("PreviewMessages"));
    m_messageList->setMaximumHeight(96);
    m_messageList->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(createToolBar());
    layout->addWidget(m_view, 1);
    layout->addWidget(m_messageList);
    layout->addWidget(m_progressLabel);
    addShortcuts();

    connect(m_runner, &PreviewRunner::pagePrinted, this, &PreviewPage::addPage);
    connect(m_runner, &PreviewRunner::messageGiven, this, &PreviewPage::addMessage);
    connect(m_runner, &PreviewRunner::rowsRead, this, &PreviewPage::showRows);
    connect(m_runner, &PreviewRunner::finished, this, &PreviewPage::finish);
    connect(m_view, &PrintedPagesView::currentPageChanged, this, &PreviewPage::updatePageLabel);
    connect(m_messageList, &QListWidget::itemActivated, this, &PreviewPage::messageActivated);
    connect(m_messageList, &QListWidget::itemDoubleClicked, this, &PreviewPage::messageActivated);
    updatePageLabel();
}

PreviewPage::~PreviewPage() = default;

QWidget *PreviewPage::createToolBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("PreviewToolBar"));
    m_runButton = toolButton(bar, "PreviewRunButton", QStyle::SP_BrowserReload,
                             QStringLiteral("Run"), QStringLiteral("Run the preview again (F5)"));
    m_cancelButton = toolButton(bar, "PreviewCancelButton", QStyle::SP_BrowserStop,
                                QStringLiteral("Cancel"), QStringLiteral("Stop the run"));
    m_cancelButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_cancelButton->setEnabled(false);
    QToolButton *first =
        toolButton(bar, "PreviewFirstButton", QStyle::SP_MediaSkipBackward, QStringLiteral("First"),
                   QStringLiteral("First page (Ctrl+Home)"));
    QToolButton *previous =
        toolButton(bar, "PreviewPreviousButton", QStyle::SP_ArrowLeft, QStringLiteral("Previous"),
                   QStringLiteral("Previous page (Ctrl+PgUp)"));
    QToolButton *next = toolButton(bar, "PreviewNextButton", QStyle::SP_ArrowRight,
                                   QStringLiteral("Next"), QStringLiteral("Next page (Ctrl+PgDn)"));
    QToolButton *last = toolButton(bar, "PreviewLastButton", QStyle::SP_MediaSkipForward,
                                   QStringLiteral("Last"), QStringLiteral("Last page (Ctrl+End)"));
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setObjectName(QStringLiteral("PreviewPageLabel"));
    m_allPages = new QCheckBox(QStringLiteral("All Pages"), bar);
    m_allPages->setObjectName(QStringLiteral("PreviewAllPages"));
    m_zoom = new QSpinBox(bar);
    m_zoom->setObjectName(QStringLiteral("PreviewZoom"));
    m_zoom->setRange(PrintedPagesView::MinimumZoom, PrintedPagesView::MaximumZoom);
    m_zoom->setSingleStep(10);
    m_zoom->setSuffix(QStringLiteral(" %"));
    m_zoom->setValue(m_view->zoom());
    m_zoom->setToolTip(QStringLiteral("Zoom (Ctrl+wheel)"));

    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(2, 2, 2, 0);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_runButton, m_cancelButton, first,
                                                            previous, m_pageLabel, next, last})
        layout->addWidget(widget);
    layout->addSpacing(12);
    layout->addWidget(m_allPages);
    layout->addWidget(m_zoom);
    layout->addStretch(1);

    connect(m_runButton, &QToolButton::clicked, this, &PreviewPage::runRequested);
    connect(m_cancelButton, &QToolButton::clicked, this, &PreviewPage::cancel);
    connect(first, &QToolButton::clicked, this, &PreviewPage::firstPage);
    connect(previous, &QToolButton::clicked, this, &PreviewPage::previousPage);
    connect(next, &QToolButton::clicked, this, &PreviewPage::nextPage);
    connect(last, &QToolButton::clicked, this, &PreviewPage::lastPage);
    connect(m_allPages, &QCheckBox::toggled, m_view, &PrintedPagesView::setAllPages);
    connect(m_zoom, &QSpinBox::valueChanged, m_view, &PrintedPagesView::setZoom);
    connect(m_view, &PrintedPagesView::zoomChanged, m_zoom, &QSpinBox::setValue);
    return bar;
}

void PreviewPage::addShortcuts()
{
    const auto add = [this](const QKeySequence &keys, void (PreviewPage::*slot)()) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_PageUp), &PreviewPage::previousPage);
    add(QKeySequence(Qt::CTRL | Qt::Key_PageDown), &PreviewPage::nextPage);
    add(QKeySequence(Qt::CTRL | Qt::Key_Home), &PreviewPage::firstPage);
    add(QKeySequence(Qt::CTRL | Qt::Key_End), &PreviewPage::lastPage);
    add(QKeySequence(Qt::Key_Escape), &PreviewPage::cancel);
}

void PreviewPage::run(const QByteArray &source, const DataSource &data,
                      const PreviewOptions &options)
{
    m_view->clear();
    m_messages.clear();
    m_messageList->clear();
    m_messageList->hide();
    m_password = data.password;
    m_dataDescription = masked(data.describe());
    m_rows = 0;
    m_started = true;
    m_cancelled = false;
    m_cancelButton->setEnabled(true);
    m_progressLabel->setText(QStringLiteral("Running over %1…").arg(m_dataDescription));
    m_runner->start(source, data, options);
    updatePageLabel();
}

void PreviewPage::cancel()
{
    if (!m_runner->running())
        return;
    m_runner->cancel();
    m_cancelled = true;
    m_cancelButton->setEnabled(false);
    m_progressLabel->setText(
        QStringLiteral("Cancelled after %1.").arg(counted(m_rows, "row", "rows")));
    updatePageLabel();
    emit runFinished(PreviewOutcome::Cancelled);
}

bool PreviewPage::running() const
{
    return m_runner->running();
}

QList<PrintedPage> PreviewPage::pages() const
{
    return m_view->pages();
}

void PreviewPage::firstPage()
{
    m_view->setCurrentPage(0);
}

void PreviewPage::previousPage()
{
    m_view->setCurrentPage(m_view->currentPage() - 1);
}

void PreviewPage::nextPage()
{
    m_view->setCurrentPage(m_view->currentPage() + 1);
}

void PreviewPage::lastPage()
{
    m_view->setCurrentPage(int(m_view->pages().size()) - 1);
}

void PreviewPage::addPage(const PrintedPage &page)
{
    m_view->appendPage(page);
    updatePageLabel();
    if (m_view->pages().size() == 1)
        emit firstPagePrinted();
}

void PreviewPage::addMessage(const PreviewMessage &message)
{
    const PreviewMessage shown{message.line, masked(message.text)};
    m_messages.append(shown);
    const QString text =
        shown.line > 0 ? QStringLiteral("Line %1: %2").arg(shown.line).arg(shown.text) : shown.text;
    auto *item = new QListWidgetItem(style()->standardIcon(QStyle::SP_MessageBoxWarning), text,
                                     m_messageList);
    item->setData(Qt::UserRole, shown.line);
    item->setToolTip(shown.line > 0
                         ? QStringLiteral("Double-click to see the line on the Source page")
                         : QString());
    m_messageList->show();
}

void PreviewPage::showRows(qint64 rows)
{
    m_rows = rows;
    if (running())
        m_progressLabel->setText(counted(rows, "row", "rows") + QStringLiteral(" read…"));
}

void PreviewPage::finish(PreviewOutcome outcome)
{
    m_cancelButton->setEnabled(false);
    const qsizetype pageCount = m_view->pages().size();
    switch (outcome) {
    case PreviewOutcome::Finished:
        m_progressLabel->setText(QStringLiteral("%1, %2 from %3.")
                                     .arg(counted(m_rows, "row", "rows"),
                                          counted(pageCount, "page", "pages"), m_dataDescription));
        break;
    case PreviewOutcome::Failed:
        m_progressLabel->setText(
            QStringLiteral("Stopped by an error after %1, %2.")
                .arg(counted(m_rows, "row", "rows"), counted(pageCount, "page", "pages")));
        break;
    case PreviewOutcome::Cancelled:
        m_cancelled = true;
        m_progressLabel->setText(QStringLiteral("Cancelled after %L1 rows.").arg(m_rows));
        break;
    }
    updatePageLabel();
    emit runFinished(outcome);
}

void PreviewPage::updatePageLabel()
{
    const int count = int(m_view->pages().size());
    m_pageLabel->setText(
        QStringLiteral("Page %1 of %2").arg(count == 0 ? 0 : m_view->currentPage() + 1).arg(count));
}

void PreviewPage::messageActivated(QListWidgetItem *item)
{
    const int line = item->data(Qt::UserRole).toInt();
    if (line > 0)
        emit sourceLineRequested(line);
}

QString PreviewPage::masked(QString text) const
{
    if (!m_password.isEmpty())
        text.replace(m_password, QStringLiteral("*****"));
    return text;
}
