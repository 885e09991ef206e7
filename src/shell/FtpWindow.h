#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class BusyCursor;
class FtpClient;
class QLabel;
class QProgressBar;

// Where a failed upload writes its one line: standard output, unless a
// handler is installed. Returns the handler it replaces (none restores
// standard output).
using UploadFailureHandler = std::function<void(const QString &line)>;
UploadFailureHandler setUploadFailureHandler(UploadFailureHandler handler);
void writeUploadFailure(const QString &line);

// The "FTP" window: uploads one report to the FTP server of the settings
// and shows the connection state and how much of the file has gone. After
// a successful upload it says so in the frame's status bar and closes
// itself; after a failure it stays open with what it showed last and,
// below, the reason, until the user closes it. Closing it says QUIT to a
// server it is still logged in to.
class FtpWindow : public QWidget
{
    Q_OBJECT

public:
    // Each wait for the server ends after this long.
    static constexpr int ServerWaitLimit = 5000;

    // Not modal, owned by frame and centred on it.
    explicit FtpWindow(QWidget *frame);
    ~FtpWindow() override;

    // Uploads the file at localPath into the remote folder of the settings,
    // under the file's bare name.
    void uploadReport(const QString &localPath);

    QLabel *statusLabel() const { return m_status; }
    QProgressBar *progressBar() const { return m_progress; }
    // Why the upload failed, or what the server was not allowed to do;
    // hidden while there is nothing to say.
    QLabel *messageLabel() const { return m_message; }
    FtpClient *client() const { return m_client; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showConnected();
    void showTransferStarted(qint64 total);
    void showPacketSent(qint64 sent, qint64 total);
    void showTransferStopped();
    void closeAfterUpload();
    void failed(const QString &message);
    void showMessageText(const QString &text);
    void showInStatusBar(const QString &text);
    void finish();

    FtpClient *m_client;
    QLabel *m_status;
    QProgressBar *m_progress;
    QLabel *m_message;
    std::unique_ptr<BusyCursor> m_busy;
    QString m_localPath;
    QString m_remoteDirectory;
    QString m_host;
    // Progress bars count in int: a huge file is counted in larger steps.
    qint64 m_progressUnit = 1;
    // QUIT has been sent and waits for its reply.
    bool m_quitting = false;
    bool m_closingAfterUpload = false;
    bool m_finished = false;
    // A failed QUIT after the upload, shown again when the user closes.
    QString m_quitError;
};
