#pragma once

// A report window as the frame window makes one: the shared palette and
// templates in a frame, settings in a temporary folder, a completion word
// list, and every message the window shows recorded instead of shown.

#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

#include "windows/ReportWindow.h"
#include "windows/ShowMessage.h"
#include "windows/UnsavedDesignQuestion.h"

#include "editor/EditorSettings.h"
#include "editor/SettingsFiles.h"
#include "editor/SourceEditor.h"

#include "designer/ComponentPalette.h"
#include "designer/ComponentTemplates.h"

#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/ReportClasses.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>

struct ReportWindowFixture
{
    std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();
    ComponentOwner frameOwner;
    std::unique_ptr<QWidget> frame = std::make_unique<QWidget>();
    ComponentPalette *palette = nullptr;
    QStringList messages;
    MessageHandler previousHandler;
    UnsavedDesignHandler previousQuestion;
    // Questions about changed designs a closing window could not simply write.
    QList<UnsavedDesignReason> questions;
    UnsavedDesignChoice answer = UnsavedDesignChoice::Discard;
    QString previousDir = QDir::currentPath();

    // With a completion list and the editor settings of an earlier run;
    // relative names resolve in the temporary folder.
    ReportWindowFixture()
    {
        qputenv("KESTROVA_CONFIG_DIR", dir->filePath(QStringLiteral("config")).toLocal8Bit());
        QDir::setCurrent(dir->path());
        previousHandler =
            setMessageHandler([this](QWidget *, const QString &text) { messages.append(text); });
        previousQuestion =
            setUnsavedDesignHandler([this](QWidget *, const QString &, UnsavedDesignReason reason) {
                questions.append(reason);
                return answer;
            });
        palette = new ComponentPalette(&frameOwner, frame.get());
        palette->setGeometry(0, 0, 200, 30);
        ComponentTemplates::buildReportPalette(*palette);
        ComponentTemplates::createTemplateHolder(frameOwner, frame.get());
        CompletionFile = path(QStringLiteral("words.txt"));
        writeFile(CompletionFile, ".PRINT\n.TAB\n");
        writeEditorSettings();
    }

    ~ReportWindowFixture()
    {
        setMessageHandler(previousHandler);
        setUnsavedDesignHandler(previousQuestion);
        QDir::setCurrent(previousDir);
        CompletionFile.clear();
    }

    QString path(const QString &name) const { return dir->filePath(name); }
    static QString settingsPath() { return SettingsFiles::sourceEditorSettingsPath(); }

    static void writeEditorSettings()
    {
        ComponentOwner owner;
        QWidget stage;
        auto *editor = new SourceEditor(&owner, &stage);
        editor->setObjectName(QStringLiteral("SourceEditor"));
        ObjectStream::saveStageFile(&stage, settingsPath(), owner, sourceEditorClasses());
    }

    static void writeFile(const QString &fileName, const QByteArray &bytes)
    {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray readFile(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // A window created and opened as createReportWindow does, not shown.
    std::unique_ptr<ReportWindow> create(OpenMode mode, const QString &name)
    {
        auto window = std::make_unique<ReportWindow>(palette, palette->arrowButton());
        if (mode == omText)
            window->setActivePage(ReportWindow::Page::Source);
        window->openReport(mode, name);
        return window;
    }

    static void show(ReportWindow &window)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    // A change to the design: a band on the page.
    static Band *addBand(ReportWindow &window, const QString &name = QStringLiteral("mBand9"))
    {
        auto *band = new Band(&window.owner(), window.mPage1());
        band->setName(name);
        return band;
    }

    // Closes the window and lets it be destroyed.
    static void closeAndDestroy(std::unique_ptr<ReportWindow> window)
    {
        QPointer<ReportWindow> watched = window.release();
        watched->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(watched.isNull());
    }
};
