#pragma once

#include <QString>

#include <functional>

class QObject;
class ReportPage;

// The progress panel of a report window, which generation keeps up to date
// section by section.
class GenerationProgress
{
public:
    virtual ~GenerationProgress() = default;

    virtual void showProgressPanel() = 0;
    virtual void hideProgressPanel() = 0;
    // The label must show the text at once: the event loop is not running.
    virtual void setProgressLabel(const QString &text) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressStep(int step) = 0;
    virtual void stepProgress() = 0;
    // Lets the window repaint and take user input between two sections.
    virtual void processPendingEvents() = 0;
};

enum class ItemMark { Start, End };

// The open code dialog of a report window, in which band generation marks
// where each item's lines begin and end.
class ItemMarkOutlet
{
public:
    virtual ~ItemMarkOutlet() = default;

    // line counts from 1 within the band's generated lines.
    virtual void markItemLines(QObject *item, int line, ItemMark mark) = 0;
};

// The source editor of a report window, which receives the generated text.
class SourceSink
{
public:
    virtual ~SourceSink() = default;

    virtual void clearLines() = 0;
    virtual void addLine(const QString &text) = 0;
    // Every line is in; an editor that collected them may take them now.
    virtual void endLines() {}
};

// What generation needs of a report window: its page and the outlets above.
// Headless callers leave the outlets null; each one is optional.
struct GenerationWindow
{
    ReportPage *page = nullptr;
    GenerationProgress *progress = nullptr;
    ItemMarkOutlet *itemMarks = nullptr;
    SourceSink *source = nullptr;
    std::function<void(const QString &message)> showMessage;
};
