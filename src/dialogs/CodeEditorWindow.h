#pragma once

#include "editor/SourceEditor.h"
#include "generation/GenerationOutlet.h"
#include "model/CodeLines.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class ComponentOwner;
class DesignStage;
class QKeyEvent;
class QPushButton;
class QTabWidget;

// The code editor window: the modal dialog in which the code attached to a
// component, or a report section, is edited. Its opener fills it with code
// lines, may mark where a generated block begins and ends, shows it and
// reads back the lines above and below that block (or all lines).
//
// The generated block between the section marks is read-only and drawn on
// a background of its own, all but the lines that print a text item's
// caption: those have their own background, and typing on one changes the
// item's caption at once (they can be neither split nor joined). Typing or
// Enter at the start of the block opens a line before it, at the end of
// the block a line after it, so that nothing typed is lost in the block. The editor's own
// settings come from "BF.dat" when the window is made and go back there
// when it is destroyed; its context menu's "Edit Property" opens them in a
// property window.
class CodeEditorWindow : public QDialog, public ItemMarkOutlet
{
    Q_OBJECT

public:
    enum class SectionMark { None, Start, End };

    // A mark in the gutter: its line (from 1), its image and, for an item
    // mark, the item's name followed by "_p" (start) or "_k" (end).
    struct Mark
    {
        int line = 0;
        int image = 0;
        QString name;
        bool operator==(const Mark &) const = default;
    };

    static constexpr int SectionMarkImage = 1;
    static constexpr int ItemMarkImage = 0;

    using MessageFunction = std::function<void(const QString &text)>;

    // Messages go to showMessage, or to a message box without one.
    explicit CodeEditorWindow(QWidget *owner = nullptr, MessageFunction showMessage = {});
    ~CodeEditorWindow() override;

    // Replaced when the settings are read: ask again rather than keep it.
    SourceEditor *textEdit() const;
    DesignStage *stage() const { return m_stage; }
    QTabWidget *pageControl() const { return m_pageControl; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

    // --- Filling, before the window is shown.

    // Appends the lines with their objects; then a start mark on the first
    // line still to come, or an end mark on the last line added.
    void addCodeLines(const CodeLines &lines, SectionMark mark = SectionMark::None);
    void addSectionMark(SectionMark mark);
    // line counts from 1; a line not added yet gets its mark when it comes.
    void addItemMark(QObject *item, int line, ItemMark mark);
    // Item marks from generation come with lines counted within the code
    // being generated: linesBefore tells how many editor lines precede it.
    // By default, the lines already added.
    void setLinesBeforeGeneratedCode(std::function<int()> linesBefore);
    void markItemLines(QObject *item, int line, ItemMark mark) override;

    // --- Reading back, after the window was shown. The texts only.

    CodeLines linesBeforeSection() const;
    CodeLines linesAfterSection() const;
    // Every line with its object.
    CodeLines allLines() const;
    QList<Mark> marks() const;

    // The editor's settings as a stage file; a failure is reported and
    // leaves the editor as it was.
    bool loadDialogSettings(const QString &path);
    bool saveDialogSettings(const QString &path);

signals:
    // Typing on a caption line changed a text item's caption.
    void captionEdited();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct PlacedMark
    {
        int line; // 0-based, as asked for
        int image;
        QString name;
        int handle = -1; // the editor's marker, once its line is there
    };

    void createButtons();
    void createPages();
    void adoptEditor();
    void report(const QString &text);

    void placeMarks();
    int lineOf(const PlacedMark &mark) const; // 0-based
    int sectionLine(int index, int missing) const;
    CodeLines textsOf(int first, int last) const;

    // The generated block's first and last line (0-based); none without
    // both section marks.
    std::optional<std::pair<int, int>> generatedBlock() const;
    bool isCaptionLine(int line) const;
    // A line of the block that may not change at all.
    bool isProtectedLine(int line) const;
    bool changeAllowed(const SourceEditor::TextChange &change) const;
    bool removalAllowed(int from, int to, int first, int last) const;
    bool insertionAllowed(int position, const std::optional<QString> &text, int first,
                          int last) const;
    // Typing or Enter at either end of the block: a line of its own beside
    // it. True when the key has been dealt with.
    bool typeBesideBlock(const QKeyEvent *key);

    void textEditChanged();
    void editPropertyTriggered();

    std::unique_ptr<ComponentOwner> m_components;
    MessageFunction m_showMessage;
    QTabWidget *m_pageControl = nullptr;
    DesignStage *m_stage = nullptr;
    QPointer<SourceEditor> m_editor;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;

    CodeLines m_filled; // what the opener added
    bool m_filling = false;
    QList<PlacedMark> m_marks;
    int m_startMark = -1; // index into m_marks
    int m_endMark = -1;
    std::function<int()> m_linesBefore;
    bool m_centred = false;
};
