#include "shell/StartUp.h"

#include "shell/BusyCursor.h"
#include "shell/MainWindow.h"
#include "shell/ShellGlyphs.h"
#include "shell/SplashWindow.h"

#include <QApplication>
#include <QFileInfo>

#include <memory>

namespace StartUp {

void openFiles(MainWindow &frame, const QStringList &files)
{
    BusyCursor busy;
    for (const QString &file : files)
        frame.openFile(QFileInfo(file).absoluteFilePath());
}

int runDesigner(const QStringList &files)
{
    // Every window of the program, dialogs and tool windows too.
    QApplication::setWindowIcon(ShellGlyphs::program());
    auto splash = std::make_unique<SplashWindow>();
    splash->showAtOnce();

    MainWindow frame;
    frame.show();
    splash.reset();

    openFiles(frame, files);
    return QApplication::exec();
}

} // namespace StartUp
