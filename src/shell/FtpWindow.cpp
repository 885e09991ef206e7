#include "shell/FtpWindow.h"

#include "shell/BusyCursor.h"
#include "shell/FtpClient.h"
#include "shell/Settings.h"

#include "windows/FixedDialogSize.h"
#include "windows/ShowMessage.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>

#include <cstdio>
#include <limits>
#include <utility>

namespace {

constexpr QSize ClientSize(159, 30);
// With a message below the bar the window widens to this, so that a
// reason reads in a few lines.
constexpr int MessageWidth = 360;

UploadFailureHandler &installedHandler()
{
    static UploadFailureHandler handler;
    return handler;
}

} // namespace

UploadFailureHandler setUploadFailureHandler(UploadFailureHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

void writeUploadFailure(const QString &line)
{
    // One line, whatever a server put in its reply.
    QString oneLine = line;
    for (QChar &c : oneLine) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    if (const UploadFailureHandler &handler = installedHandler()) {
        handler(oneLine);
        return;
    }
    std::fputs(oneLine.toLocal8Bit().append('\n').constData(), stdout);
    std::fflush(stdout);
}

FtpWindow::FtpWindow(QWidget *frame)
    : QWidget(frame, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      m_client(new FtpClient(this)),
      m_status(new QLabel(QStringLiteral("        "), this)),
      m_progress(new QProgressBar(this)),
      m_message(new QLabel(this))
{
    setObjectName(QStringLiteral("FTPForm"));
    setWindowTitle(QStringLiteral("FTP"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A window left open after a failure must not keep the program running
    // once the frame has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedDialogSize(this, ClientSize);
    if (frame) {
        QRect area(QPoint(), ClientSize);
        area.moveCenter(frame->geometry().center());
        setGeometry(area);
    }

    m_status->setObjectName(QStringLiteral("Label1"));
    m_status->setGeometry(4, 0, 151, 15);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setGeometry(4, 16, 150, 12);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_message->setObjectName(QStringLiteral("MessageLabel"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->hide();

    connect(m_client, &FtpClient::connected, this, &FtpWindow::showConnected);
    connect(m_client, &FtpClient::directoryChanged, this,
            [this] { m_client->upload(m_localPath, QFileInfo(m_localPath).fileName()); });
    connect(m_client, &FtpClient::transferStarted, this, &FtpWindow::showTransferStarted);
    connect(m_client, &FtpClient::packetSent, this, &FtpWindow::showPacketSent);
    connect(m_client, &FtpClient::transferStopped, this, &FtpWindow::showTransferStopped);
    connect(m_client, &FtpClient::uploaded, this, &FtpWindow::closeAfterUpload);
    connect(m_client, &FtpClient::disconnected, this, &FtpWindow::finish);
    connect(m_client, &FtpClient::failed, this, &FtpWindow::failed);
    connect(m_client, &FtpClient::notice, this, [this](const QString &message) {
        writeUploadFailure(message);
        showMessageText(message);
    });
}

FtpWindow::~FtpWindow() = default;

void FtpWindow::uploadReport(const QString &localPath)
{
    m_busy = std::make_unique<BusyCursor>();
    const Settings::FtpAccount account = Settings::ftpAccount();
    m_host = account.host;
    m_client->setHost(account.host);
    m_client->setTimeout(ServerWaitLimit);
    m_client->setUserName(account.user);
    m_client->setPassword(account.password);
    m_client->setPassive(account.passive);
    m_localPath = localPath;
    m_remoteDirectory = account.remoteDirectory;
    // An earlier upload's success no longer holds.
    showInStatusBar(QString());
    m_client->connectToServer();
}

void FtpWindow::showConnected()
{
    m_status->setText(QStringLiteral("Connect OK"));
    m_client->changeDirectory(m_remoteDirectory);
}

void FtpWindow::showTransferStarted(qint64 total)
{
    m_progressUnit = total / std::numeric_limits<int>::max() + 1;
    // An empty file has nothing to count; a bar of no length would show
    // Qt's busy indicator instead of progress.
    m_progress->setRange(0, total > 0 ? int(total / m_progressUnit) : 1);
    m_progress->setValue(0);
}

void FtpWindow::showPacketSent(qint64 sent, qint64 total)
{
    m_progress->setValue(int(sent / m_progressUnit));
    m_status->setText(QStringLiteral("%1 of %2").arg(sent).arg(total));
    m_status->repaint();
}

void FtpWindow::showTransferStopped()
{
    m_progress->setValue(m_progress->maximum());
    m_status->setText(QStringLiteral("Disconnect"));
}

void FtpWindow::showInStatusBar(const QString &text)
{
    if (auto *frame = qobject_cast<QMainWindow *>(parentWidget()))
        frame->statusBar()->showMessage(text);
}

void FtpWindow::closeAfterUpload()
{
    showInStatusBar(
        QStringLiteral("%1 uploaded to %2 on %3")
            .arg(QFileInfo(m_localPath).fileName(), m_remoteDirectory, m_host.trimmed()));
    m_closingAfterUpload = true;
    close();
}

void FtpWindow::closeEvent(QCloseEvent *event)
{
    if (m_finished) {
        QWidget::closeEvent(event);
        return;
    }
    if (m_quitting) {
        event->ignore();
        return;
    }
    if (m_client->isBusy())
        writeUploadFailure(QStringLiteral("Upload cancelled"));
    if (m_client->isConnected()) {
        // The window goes once the server has answered QUIT.
        event->ignore();
        m_quitting = true;
        m_client->disconnectFromServer();
        return;
    }
    m_client->abort();
    if (!m_quitError.isEmpty())
        showMessage(parentWidget(), std::exchange(m_quitError, QString()));
    m_finished = true;
    m_busy.reset();
    QWidget::closeEvent(event);
}

void FtpWindow::failed(const QString &message)
{
    const bool quitFailed = std::exchange(m_quitting, false);
    if (quitFailed && !std::exchange(m_closingAfterUpload, false)) {
        // The user closed the window: the error is shown, the window goes.
        showMessage(parentWidget(), message);
        finish();
        return;
    }
    writeUploadFailure(message);
    showMessageText(message);
    if (quitFailed)
        m_quitError = message;
    m_busy.reset();
}

void FtpWindow::showMessageText(const QString &text)
{
    const QString shown = m_message->isHidden() ? text : m_message->text() + u'\n' + text;
    m_message->setText(shown);
    const int top = ClientSize.height();
    const int width = MessageWidth - 8;
    const int height = m_message->heightForWidth(width);
    m_message->setGeometry(4, top, width, height);
    m_message->show();
    setFixedSize(MessageWidth, top + height + 4);
}

void FtpWindow::finish()
{
    m_quitting = false;
    m_finished = true;
    m_busy.reset();
    close();
}
