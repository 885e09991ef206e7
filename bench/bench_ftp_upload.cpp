// Upload of a 1 MB report source to a local FTP server (pyftpdlib on
// 127.0.0.1): the whole session from connecting to QUIT, the transfer from
// its first byte to the server's confirmation, and the same upload through
// the FTP window, which repaints its progress after every block. Best and
// median of a few runs, in milliseconds.

#include "../tests/LocalFtpServer.h"

#include "shell/FtpClient.h"
#include "shell/FtpWindow.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr qsizetype SourceSize = 1 << 20;
constexpr int Runs = 7;

struct Times
{
    double session = 0;
    double transfer = 0;
};

// One upload with the client alone; none when it failed.
std::optional<Times> uploadWithClient(const LocalFtpServer &server, const QString &path)
{
    FtpClient client;
    client.setHost(server.host());
    client.setUserName(QString::fromLatin1(LocalFtpServer::User));
    client.setPassword(QString::fromLatin1(LocalFtpServer::Password));
    QEventLoop loop;
    QElapsedTimer session;
    QElapsedTimer transfer;
    Times times;
    bool ok = false;
    QObject::connect(&client, &FtpClient::connected, &loop,
                     [&] { client.changeDirectory(QStringLiteral("/reports")); });
    QObject::connect(&client, &FtpClient::directoryChanged, &loop,
                     [&] { client.upload(path, QStringLiteral("SALES.RW")); });
    QObject::connect(&client, &FtpClient::transferStarted, &loop, [&] { transfer.start(); });
    QObject::connect(&client, &FtpClient::uploaded, &loop, [&] {
        times.transfer = double(transfer.nsecsElapsed()) / 1e6;
        client.disconnectFromServer();
    });
    QObject::connect(&client, &FtpClient::disconnected, &loop, [&] {
        times.session = double(session.nsecsElapsed()) / 1e6;
        ok = true;
        loop.quit();
    });
    QObject::connect(&client, &FtpClient::failed, &loop, [&](const QString &message) {
        std::fprintf(stderr, "upload failed: %s\n", qPrintable(message));
        loop.quit();
    });
    session.start();
    client.connectToServer();
    loop.exec();
    return ok ? std::optional<Times>(times) : std::nullopt;
}

// One upload through the FTP window, until it has closed; none when it
// failed.
std::optional<double> uploadWithWindow(const QString &path)
{
    bool failed = false;
    const UploadFailureHandler previous = setUploadFailureHandler([&](const QString &line) {
        std::fprintf(stderr, "upload failed: %s\n", qPrintable(line));
        failed = true;
    });
    QElapsedTimer clock;
    clock.start();
    QPointer<FtpWindow> window = new FtpWindow(nullptr);
    window->show();
    window->uploadReport(path);
    while (window && !failed)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double elapsed = double(clock.nsecsElapsed()) / 1e6;
    setUploadFailureHandler(previous);
    delete window;
    return failed ? std::nullopt : std::optional<double>(elapsed);
}

double best(std::vector<double> values)
{
    return *std::min_element(values.begin(), values.end());
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir config;
    qputenv("KESTROVA_CONFIG_DIR", config.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    LocalFtpServer server;
    if (!server.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(server.errorString()));
        return 1;
    }
    const QString path = config.filePath(QStringLiteral("SALES.RW"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(unixReportText(SourceSize)) != SourceSize)
        return 1;
    file.close();
    Settings::write(SettingKeys::FtpHost, server.host());
    Settings::write(SettingKeys::FtpUser, QString::fromLatin1(LocalFtpServer::User));
    Settings::write(SettingKeys::FtpPass, QString::fromLatin1(LocalFtpServer::Password));
    Settings::write(SettingKeys::FtpRemoteDirectory, QStringLiteral("/reports"));

    std::vector<double> sessions;
    std::vector<double> transfers;
    std::vector<double> windows;
    for (int run = 0; run < Runs; ++run) {
        const std::optional<Times> times = uploadWithClient(server, path);
        const std::optional<double> window = uploadWithWindow(path);
        if (!times || !window)
            return 1;
        sessions.push_back(times->session);
        transfers.push_back(times->transfer);
        windows.push_back(*window);
    }
    if (server.contents(QStringLiteral("reports/SALES.RW")) != unixReportText(SourceSize)) {
        std::fprintf(stderr, "the uploaded file differs from the source\n");
        return 1;
    }

    std::printf("1 MiB source to pyftpdlib on 127.0.0.1, %d runs\n", Runs);
    std::printf("%-28s %9s %9s\n", "", "best", "median");
    const auto row = [](const char *name, const std::vector<double> &values) {
        std::printf("%-28s %6.1f ms %6.1f ms\n", name, best(values), median(values));
    };
    row("session (connect to QUIT)", sessions);
    row("transfer (data to 226)", transfers);
    row("FTP window (open to closed)", windows);
    std::printf("transfer rate %.0f MiB/s (median)\n", 1000.0 / median(transfers));
    return 0;
}
