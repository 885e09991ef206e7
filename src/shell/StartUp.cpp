#include "shell/StartUp.h"

#include "shell/BusyCursor.h"
#include "shell/SplashForm.h"
#include "shell/WindowMain.h"

#include <QApplication>
#include <QFileInfo>

#include <memory>

namespace StartUp {

void openFiles(TWindowMainForm &frame, const QStringList &files)
{
    BusyCursor busy;
    for (const QString &file : files)
        frame.openFile(QFileInfo(file).absoluteFilePath());
}

int runDesigner(const QStringList &files)
{
    auto splash = std::make_unique<TSplashForm>();
    splash->showAtOnce();

    TWindowMainForm frame;
    frame.show();
    splash.reset();

    openFiles(frame, files);
    return QApplication::exec();
}

} // namespace StartUp
