#pragma once

#include "editor/EditorKeyBindings.h"
#include "model/CodeLines.h"
#include "model/NamedValues.h"

#include <Qsci/qsciscintilla.h>

#include <QByteArray>

#include <array>
#include <functional>
#include <optional>

class ComponentOwner;
class EditorCompletion;
class QMenu;
class ReportWriterLexer;

// The Report-Writer source editor of the report windows ("SourceEditor")
// and of the code dialog ("TextEdit"). Its lines may carry objects, which
// stay with their lines as lines are inserted and deleted around them; its
// settings (font, colours, gutter, options, key bindings) are published
// properties, so an editor settings file restores them.
class SourceEditor : public QsciScintilla
{
    Q_OBJECT

public:
    // The option set, by bit; the settings files name the members.
    enum Option {
        AltColumnSelection = 1 << 0, // Alt held while selecting selects a column
        AutoIndent = 1 << 1,
        HalfPageScrolling = 1 << 2,
        ScrollOneLineLess = 1 << 3,
        CaretPastEndOfText = 1 << 4,
        CaretPastEndOfLine = 1 << 5,
        SmartTabs = 1 << 6, // Tab goes to the next word start of the line above
        TabsToSpaces = 1 << 7,
        TrimTrailingBlanks = 1 << 8, // a line the user ends with Enter loses its trailing blanks
        HideSelectionWithoutFocus = 1 << 9,
    };
    static const QStringList &optionNames();

    static constexpr int BookmarkCount = 10;
    // Marks use the markers after the bookmarks, one per glyph; line
    // backgrounds the few after those.
    static constexpr int FirstMarkMarker = BookmarkCount;
    static constexpr int FirstColourMarker = FirstMarkMarker + BookmarkCount;
    static constexpr int ColourMarkerCount = 4;

    // The background of a line by its object; an invalid colour leaves the
    // line as it is. Asked again whenever lines or their objects change.
    using LineColours = std::function<QColor(int line, const LineObject &object)>;

    explicit SourceEditor(ComponentOwner *owner = nullptr, QWidget *parent = nullptr);
    ~SourceEditor() override;

    // The code dialog's editor differs from the source page's in a few
    // settings; an editor read from a settings file brings its own.
    void useCodeDialogConfiguration();

    // --- Lines and their objects. An empty editor has no lines.
    // Hides the base class's line count, which lineCount() gives.
    CodeLines lines() const;
    // Clears the undo history.
    void setLines(const CodeLines &lines);
    // One step that undo takes back; the caret goes to the start.
    void replaceLines(const CodeLines &lines);
    int lineCount() const;
    QString lineText(int line) const;
    LineObject lineObject(int line) const;
    void setLineObject(int line, const LineObject &object);
    void addLine(const QString &text, const LineObject &object = {});
    void clearLines();
    void setLineColours(LineColours colours);
    // Asks the line colours again, when more than the lines decides them.
    void refreshLineColours();

    // --- Bookmarks 0 to 9 and marks (0-based lines).
    void toggleBookmark(int number); // sets it at the caret; again on its line removes it
    bool gotoBookmark(int number);
    int bookmarkLine(int number) const; // -1 when not set
    int addMark(int line, int image);   // a handle for markLine() and removeMark()
    int markLine(int handle) const;
    void removeMark(int handle);
    // Marks of this image get a gutter column of their own, right of the
    // others, so that they show on a line that carries another mark too.
    void showMarksBeside(int image);

    // --- Completion.
    EditorCompletion *completion() const { return m_completion; }
    bool loadCompletionList(const QString &fileName);

    // --- Guarding the text. Before each change that input would make to
    // the text (typing, pasting, dropping, the editor's commands) the guard
    // is asked; a change it refuses is not made, and neither is the rest of
    // that input's work, so that no half of a command is done. Setting the
    // lines through this class, and undo and redo of allowed changes, are
    // not asked about.
    struct TextChange
    {
        int position = 0; // in bytes, as the editor counts them
        int removed = 0;  // bytes removed from position on; none for an insertion
        // The text an insertion puts there, as far as the input tells it
        // (typed, pasted, dropped, or given to insertText); none when it
        // does not, as for the editor's own commands.
        std::optional<QString> inserted;
    };
    using ChangeGuard = std::function<bool(const TextChange &change)>;
    void setChangeGuard(ChangeGuard guard) { m_changeGuard = std::move(guard); }
    // Inserts text at a byte position as input would, telling the guard
    // what it is.
    void insertText(int position, const QString &text);
    // The line of a byte position, and where a line's text begins and ends
    // (its line end not counted).
    int lineAt(int position) const;
    int lineStart(int line) const;
    int lineEnd(int line) const;

    // Runs one of the commands of the key bindings by name; false for an
    // unknown name.
    bool runCommand(const QString &name);

    QMenu *contextMenu() const { return m_contextMenu; }

    // --- Published settings.
    bool isLoading() const { return m_loading; }
    void beginLoading() { m_loading = true; }
    void loaded();

    qint64 colorValue() const { return m_color; }
    void setColorValue(qint64 color) { change(m_color, color); }
    QString fontName() const { return m_fontName; }
    void setFontName(const QString &name) { change(m_fontName, name); }
    int fontHeight() const { return m_fontHeight; } // negative: character height in pixels
    void setFontHeight(int height) { change(m_fontHeight, height); }
    int fontStyle() const { return m_fontStyle; } // fsBold, fsItalic, fsUnderline, fsStrikeOut
    void setFontStyle(int style) { change(m_fontStyle, style); }
    qint64 fontColor() const { return m_fontColor; }
    void setFontColor(qint64 color) { change(m_fontColor, color); }
    QFont editorFont() const;

    qint64 gutterColor() const { return m_gutterColor; }
    void setGutterColor(qint64 color) { change(m_gutterColor, color); }
    int gutterWidth() const { return m_gutterWidth; }
    void setGutterWidth(int width) { change(m_gutterWidth, std::max(0, width)); }
    bool gutterAutoSize() const { return m_gutterAutoSize; }
    void setGutterAutoSize(bool autoSize) { change(m_gutterAutoSize, autoSize); }
    bool lineNumbers() const { return m_lineNumbers; }
    void setLineNumbers(bool shown) { change(m_lineNumbers, shown); }

    int options() const { return m_options; }
    void setOptions(int options) { change(m_options, options); }
    bool hasOption(Option option) const { return m_options & option; }
    int rightEdge() const { return m_rightEdge; }
    void setRightEdge(int column) { change(m_rightEdge, std::max(0, column)); }
    qint64 rightEdgeColor() const { return m_rightEdgeColor; }
    void setRightEdgeColor(qint64 color) { change(m_rightEdgeColor, color); }
    bool wantTabs() const { return m_wantTabs; }
    void setWantTabs(bool wantTabs) { m_wantTabs = wantTabs; }
    const EditorKeyBindings &keyBindings() const { return m_keyBindings; }
    void setKeyBindings(const EditorKeyBindings &bindings) { m_keyBindings = bindings; }

signals:
    // The context menu's "Edit Property" was chosen.
    void editPropertyRequested();

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Settings take effect at once, or when loading ends.
    template<class T, class Value>
    void change(T &setting, Value &&value)
    {
        setting = std::forward<Value>(value);
        applySettings();
    }

    void createGutter();
    void createContextMenu();
    void applySettings();
    void applyFont();
    void applyColours();
    void applyGutter();
    void applyOptions();

    void guardModification(int position, int type, int length);
    bool changeAllowed(const TextChange &change);
    // Runs one input event; what the guard refuses ends that event's changes.
    template<class Handle>
    bool handleInput(QEvent *event, Handle &&handle)
    {
        // Other events come during construction too, before the members.
        if (!changesText(event))
            return handle();
        if (m_inputDepth++ == 0)
            beginInput(event);
        const bool result = handle();
        if (--m_inputDepth == 0)
            endInput();
        return result;
    }
    static bool changesText(const QEvent *event);
    void beginInput(const QEvent *event);
    // The text an input event puts into the editor, when it tells.
    static std::optional<QString> textOf(const QEvent *event);
    // Where a refusal left the caret, it goes back to.
    void endInput();
    void takeLineObjects(const CodeLines &lines);
    void trimLineEndedByEnter();
    void trackModification(int position, int type, const char *text, int length, int linesAdded);
    QMouseEvent columnSelectionEvent(const QMouseEvent *event) const;
    int gutterExtent() const;
    bool smartTab();
    bool pageMove(bool down, bool extend);
    void indentBlock(bool indent);
    void setSelectionMode(int mode);

    ComponentOwner *m_owner;
    // Events reach event() while the lexer and the completion are made in
    // the constructor: the input state comes first, so that it is there.
    int m_inputDepth = 0;        // input events being handled
    bool m_inputRefused = false; // the guard refused a change of this input
    bool m_deletionRefused = false;
    std::optional<QString> m_inputText; // what the input inserts, when known
    long m_inputAnchor = 0;             // the selection when the input began
    long m_inputCaret = 0;
    ReportWriterLexer *m_lexer;
    EditorCompletion *m_completion;
    QMenu *m_contextMenu = nullptr;
    QList<LineObject> m_lineObjects; // one per editor line
    ChangeGuard m_changeGuard;
    int m_unguarded = 0; // while this class sets the lines itself
    LineColours m_lineColours;
    std::array<int, BookmarkCount> m_bookmarks; // marker handles, -1 when not set
    std::array<int, BookmarkCount> m_bookmarkColumns;
    bool m_loading = false;

    qint64 m_color = NamedValues::clWindow;
    QString m_fontName = QStringLiteral("Courier New");
    int m_fontHeight = -13;
    int m_fontStyle = 0;
    qint64 m_fontColor = NamedValues::clWindowText;
    qint64 m_gutterColor = NamedValues::clBtnFace;
    int m_gutterWidth = 15;
    bool m_gutterAutoSize = true;
    bool m_lineNumbers = false;
    int m_options = AltColumnSelection | AutoIndent | CaretPastEndOfLine | SmartTabs | TabsToSpaces
                    | TrimTrailingBlanks;
    int m_rightEdge = 255;
    qint64 m_rightEdgeColor = NamedValues::clSilver;
    bool m_wantTabs = true;
    EditorKeyBindings m_keyBindings = EditorKeyBindings::defaults();
};
