#pragma once

// The frame window as a user meets it, in temporary settings and working
// folders: messages are collected instead of shown, the file dialogs answer
// from a queue, and modal dialogs are driven through their own widgets.
// Mouse input goes through the window system, so covers and hit testing act
// as they do for a user.

#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

#include "shell/MainWindow.h"
#include "shell/NewItemsDialog.h"
#include "shell/NewReportDialog.h"
#include "windows/ShowMessage.h"
#include "windows/UnsavedDesignQuestion.h"

#include "designer/ComponentPalette.h"
#include "editor/SourceEditor.h"
#include "model/ClassRegistry.h"
#include "model/ReportClasses.h"

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
    UnsavedDesignHandler previousQuestion;
    QuestionHandler previousYesNo;
    // Yes-or-no questions asked, and the answer each gets.
    QStringList yesNoQuestions;
    bool yesNoAnswer = true;
    QStringList messages;
    // Questions about changed designs a closing window could not simply write.
    QList<UnsavedDesignReason> questions;
    UnsavedDesignChoice answer = UnsavedDesignChoice::Discard;
    QStringList answers;      // paths the next file dialogs return
    QStringList askedDialogs; // names of the file dialogs shown
    std::unique_ptr<MainWindow> frame;
    QObject modalWatch; // parent of the timers that wait for dialogs

    FrameFixture()
    {
        qputenv("KESTROVA_CONFIG_DIR", configDir.path().toLocal8Bit());
        QDir::setCurrent(workDir.path());
        previousHandler =
            setMessageHandler([this](QWidget *, const QString &text) { messages.append(text); });
        previousQuestion =
            setUnsavedDesignHandler([this](QWidget *, const QString &, UnsavedDesignReason reason) {
                questions.append(reason);
                return answer;
            });
        previousYesNo = setQuestionHandler([this](QWidget *, const QString &text) {
            yesNoQuestions.append(text);
            return yesNoAnswer;
        });
        frame = std::make_unique<MainWindow>();
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
        setUnsavedDesignHandler(previousQuestion);
        setQuestionHandler(previousYesNo);
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

    QAction *action(const QString &name) const { return frame->findChild<QAction *>(name); }

    ReportWindow *active() const { return frame->activeReportWindow(); }

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

    PaletteButton *paletteButton(const QString &templateName) const
    {
        for (PaletteButton *button : frame->palette()->buttons()) {
            if (button->templateName() == templateName)
                return button;
        }
        return nullptr;
    }

    // Presses the palette button of templateName and drags on target from one
    // point to the other; the component created, or none.
    QWidget *create(const QString &templateName, QWidget *target, QPoint from, QPoint to)
    {
        const QList<QWidget *> before = target->findChildren<QWidget *>();
        QTest::mouseClick(paletteButton(templateName), Qt::LeftButton);
        QTest::mousePress(target, Qt::LeftButton, {}, from);
        QTest::mouseMove(target, (from + to) / 2);
        QTest::mouseMove(target, to);
        QTest::mouseRelease(target, Qt::LeftButton, {}, to);
        QCoreApplication::processEvents();
        const QString className = templateName.mid(int(qstrlen("Dpst_")));
        for (QWidget *child : target->findChildren<QWidget *>()) {
            if (!before.contains(child) && reportClasses().storedClassName(child) == className)
                return child;
        }
        return nullptr;
    }

    static QStringList editorLines(ReportWindow *window)
    {
        QStringList lines;
        for (int i = 0; i < window->sourceEditor()->lineCount(); ++i)
            lines.append(window->sourceEditor()->lineText(i));
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
    onModal<NewItemsDialog>([this, name](NewItemsDialog *items) {
        onModal<NewReportDialog>([name](NewReportDialog *naming) {
            QTest::keyClicks(naming->nameEdit(), name);
            QTest::mouseClick(naming->findChild<QPushButton *>(QStringLiteral("OkButton")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(items->emptyReportButton(), Qt::LeftButton);
    });
    action(QStringLiteral("Nowyraport1"))->trigger();
}
