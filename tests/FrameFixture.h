#pragma once

// The frame window as a user meets it, in temporary settings and working
// folders: messages are collected instead of shown, the file dialogs answer
// from a queue, and modal dialogs are driven through their own widgets.
// Mouse input goes through the window system, so covers and hit testing act
// as they do for a user.

#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

#include "shell/NewProject.h"
#include "shell/NowyraportFrm.h"
#include "shell/WindowMain.h"
#include "windows/ShowMessage.h"

#include "dialogs/SourceEditor.h"
#include "designer/DsnPanel.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

struct FrameFixture
{
    QTemporaryDir configDir;
    QTemporaryDir workDir;
    QString previousDir = QDir::currentPath();
    MessageHandler previousHandler;
    QStringList messages;
    QStringList answers;          // paths the next file dialogs return
    QStringList askedDialogs;     // names of the file dialogs shown
    std::unique_ptr<TWindowMainForm> frame;
    QObject modalWatch;           // parent of the timers that wait for dialogs

    FrameFixture()
    {
        qputenv("KESTROVA_CONFIG_DIR", configDir.path().toLocal8Bit());
        QDir::setCurrent(workDir.path());
        previousHandler = setMessageHandler(
            [this](QWidget *, const QString &text) { messages.append(text); });
        frame = std::make_unique<TWindowMainForm>();
        frame->setFileChooser([this](QWidget *, const FileDialogOptions &options) {
            askedDialogs.append(options.name);
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        frame->show();
        frame->activateWindow();
        if (!QTest::qWaitForWindowExposed(frame.get()))
            qWarning("frame window not exposed");
    }

    ~FrameFixture()
    {
        frame.reset();
        setMessageHandler(previousHandler);
        QDir::setCurrent(previousDir);
    }

    // The inspector's tool window takes the activation when design mode
    // starts and leaves none behind when it ends; a window manager gives it
    // back to the frame, here the test does.
    void activateFrame()
    {
        frame->activateWindow();
        if (!QTest::qWaitForWindowActive(frame.get()))
            qWarning("frame window not active");
    }

    QString path(const QString &name) const { return workDir.filePath(name); }

    // Messages other than the first-run notes about missing editor settings
    // and word list, which every new window gives.
    QStringList failures() const
    {
        QStringList result;
        for (const QString &message : messages) {
            if (!message.startsWith(QLatin1String("ERROR. Cannot open setting file: "))
                && !message.startsWith(QLatin1String("ERROR: Cannot read from File: ")))
                result.append(message);
        }
        return result;
    }

    QAction *action(const QString &name) const
    {
        return frame->findChild<QAction *>(name);
    }

    TChildWindowForm *active() const { return frame->ActiveReportWindow(); }

    // Once a modal dialog of class Dialog is shown, act runs on it. A
    // dialog that does not come within five seconds, or before the fixture
    // goes, is left alone.
    template<class Dialog>
    void onModal(std::function<void(Dialog *)> act)
    {
        auto *timer = new QTimer(&modalWatch);
        const QDeadlineTimer deadline(5000);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, act, deadline] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!dialog && !deadline.hasExpired())
                return;
            timer->stop();
            timer->deleteLater();
            if (dialog)
                act(dialog);
        });
        timer->start(10);
    }

    // New Report through its two dialogs: "Empty Report", then name typed
    // and Ok.
    void newReport(const QString &name);

    TDsnButton *paletteButton(const QString &geneName) const
    {
        for (TDsnButton *button : frame->DsnPanel1()->buttons()) {
            if (button->GeneName() == geneName)
                return button;
        }
        return nullptr;
    }

    // Presses the palette button of geneName and drags on target from one
    // point to the other; the component created, or none.
    QWidget *create(const QString &geneName, QWidget *target, QPoint from, QPoint to)
    {
        const QList<QWidget *> before = target->findChildren<QWidget *>();
        QTest::mouseClick(paletteButton(geneName), Qt::LeftButton);
        QTest::mousePress(target, Qt::LeftButton, {}, from);
        QTest::mouseMove(target, (from + to) / 2);
        QTest::mouseMove(target, to);
        QTest::mouseRelease(target, Qt::LeftButton, {}, to);
        QCoreApplication::processEvents();
        const QByteArray className = geneName.mid(int(qstrlen("Dpst_"))).toLatin1();
        for (QWidget *child : target->findChildren<QWidget *>()) {
            if (!before.contains(child) && child->metaObject()->className() == className)
                return child;
        }
        return nullptr;
    }

    static QStringList editorLines(TChildWindowForm *window)
    {
        QStringList lines;
        for (int i = 0; i < window->SourceEditor()->lineCount(); ++i)
            lines.append(window->SourceEditor()->lineText(i));
        return lines;
    }

    static QByteArray contents(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

inline void FrameFixture::newReport(const QString &name)
{
    onModal<TNewProjectForm>([this, name](TNewProjectForm *items) {
        onModal<TNowyraportForm>([name](TNowyraportForm *naming) {
            QTest::keyClicks(naming->Edit1(), name);
            QTest::mouseClick(naming->findChild<QPushButton *>(QStringLiteral("OkButton")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(items->EmptyReportButton(), Qt::LeftButton);
    });
    action(QStringLiteral("Nowyraport1"))->trigger();
}
