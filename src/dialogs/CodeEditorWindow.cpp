#include "dialogs/CodeEditorWindow.h"

#include "dialogs/PropertyEditWindow.h"

#include "editor/EditorSettings.h"
#include "editor/SettingsFiles.h"
#include "editor/SourceEditor.h"

#include "designer/DesignStage.h"
#include "designer/OnlyChild.h"

#include "generation/TextCode.h"

#include "model/ComponentOwner.h"
#include "model/TextItem.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>

namespace {

const QString CannotOpenSettings = QStringLiteral("ERROR. Cannot open setting file.");

// The system colour of scroll bars.
constexpr quint32 clScrollBar = 0x80000000;
// Generated lines, which cannot be changed in the dialog.
const QColor ProtectedLineColour(0xE4, 0xEA, 0xF2);

bool hasLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

// A key that puts text where the caret is.
bool typesText(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->matches(QKeySequence::Paste))
        return true;
    if (modifiers & ~Qt::ShiftModifier)
        return false;
    return key->key() == Qt::Key_Tab || (!key->text().isEmpty() && key->text().at(0).isPrint());
}

bool isEnter(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
           && !(key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier));
}

// The ".PRINT" line of a text item: tagged with the caption attribute alone.
TextItem *captionLineItem(const LineObject &object)
{
    if (!object.tag || object.tag->attributes != attributeBit(spCaption))
        return nullptr;
    return qobject_cast<TextItem *>(object.tag->producer.data());
}

QString withoutLineEnd(QString text)
{
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

} // namespace

CodeEditorWindow::CodeEditorWindow(QWidget *owner, MessageFunction showMessage)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_components(std::make_unique<ComponentOwner>()),
      m_showMessage(std::move(showMessage))
{
    setObjectName(QStringLiteral("BefAfForm"));
    setWindowTitle(QStringLiteral("Text"));
    setSizeGripEnabled(true);
    setMinimumSize(190, 190);
    resize(507, 470);
    createPages();
    createButtons();

    // A settings file that is not there yet is the first use, no failure.
    const QString settings = SettingsFiles::codeEditorSettingsPath();
    if (QFileInfo::exists(settings))
        loadDialogSettings(settings);
    adoptEditor();
    // After the settings: a word list that cannot be read must not cost
    // the editor read from them. The report window says so already.
    if (!CompletionFile.isEmpty())
        m_editor->loadCompletionList(CompletionFile);
    m_editor->clearLines();
}

CodeEditorWindow::~CodeEditorWindow()
{
    saveDialogSettings(SettingsFiles::codeEditorSettingsPath());
    // The editor goes before the owner that knows it.
    delete m_pageControl;
}

SourceEditor *CodeEditorWindow::textEdit() const
{
    return m_editor.data();
}

void CodeEditorWindow::createPages()
{
    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    m_pageControl->addTab(page, QStringLiteral("Print Code"));

    m_stage = new DesignStage(m_components.get(), page);
    m_stage->setObjectName(QStringLiteral("DsnStageBF"));
    m_stage->setClassRegistry(&sourceEditorClasses());
    m_stage->setFrameStyle(QFrame::NoFrame);
    m_stage->rubberBand.moveWidth = 8;
    m_stage->rubberBand.moveHeight = 8;
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_stage);
    auto *stageLayout = new QVBoxLayout(m_stage);
    stageLayout->setContentsMargins(0, 0, 0, 0);
}

void CodeEditorWindow::createButtons()
{
    auto *strip = new QWidget(this);
    strip->setFixedHeight(34);
    m_okButton = new QPushButton(QStringLiteral("Ok"), strip);
    m_okButton->setObjectName(QStringLiteral("OkButton"));
    m_okButton->setGeometry(10, 5, 75, 25);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), strip);
    m_cancelButton->setObjectName(QStringLiteral("AnulujButton"));
    m_cancelButton->setGeometry(96, 5, 75, 25);
    // Return belongs to the editor, not to a default button.
    for (QPushButton *button : {m_okButton, m_cancelButton})
        button->setAutoDefault(false);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pageControl);
    layout->addWidget(strip);
}

// Reading the settings replaces the editor: the window takes whichever
// editor the stage holds now, or a new one when the file took it away,
// and joins it to its handlers.
void CodeEditorWindow::adoptEditor()
{
    SourceEditor *editor = keepOnlyChild<SourceEditor>(m_stage, [this] {
        auto *created = new SourceEditor(m_components.get(), m_stage);
        created->setObjectName(QStringLiteral("TextEdit"));
        created->useCodeDialogConfiguration();
        return created;
    });
    m_editor = editor;
    if (m_stage->layout()->indexOf(editor) < 0)
        m_stage->layout()->addWidget(editor);
    editor->show();
    // An item's marks often share a line with a section mark.
    editor->showMarksBeside(ItemMarkImage);
    editor->setLineColours([this](int line, const LineObject &object) {
        if (captionLineItem(object))
            return NamedValues::toQColor(clScrollBar);
        return isProtectedLine(line) ? ProtectedLineColour : QColor();
    });
    editor->setChangeGuard(
        [this](const SourceEditor::TextChange &change) { return changeAllowed(change); });
    // Keys reach the editor or, on some platforms, its viewport first.
    editor->installEventFilter(this);
    editor->viewport()->installEventFilter(this);
    connect(editor, &QsciScintilla::textChanged, this, &CodeEditorWindow::textEditChanged,
            Qt::UniqueConnection);
    connect(editor, &SourceEditor::editPropertyRequested, this,
            &CodeEditorWindow::editPropertyTriggered, Qt::UniqueConnection);
}

void CodeEditorWindow::report(const QString &text)
{
    if (m_showMessage)
        m_showMessage(text);
    else
        QMessageBox::information(parentWidget(), QApplication::applicationName(), text);
}

bool CodeEditorWindow::loadDialogSettings(const QString &path)
{
    bool loaded = true;
    try {
        m_stage->loadFromFile(path);
    } catch (const std::exception &) {
        loaded = false;
    }
    adoptEditor();
    if (!loaded)
        report(CannotOpenSettings);
    return loaded;
}

bool CodeEditorWindow::saveDialogSettings(const QString &path)
{
    try {
        m_stage->saveToFile(path);
        return true;
    } catch (const std::exception &) {
        report(CannotOpenSettings);
        return false;
    }
}

void CodeEditorWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred && parentWidget()) {
        m_centred = true;
        const QRect frame = parentWidget()->window()->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    m_editor->setFocus();
}

// --- Filling.

void CodeEditorWindow::addCodeLines(const CodeLines &lines, SectionMark mark)
{
    if (!lines.isEmpty()) {
        // The whole text at once: an editor cannot tell one empty line from
        // none, the list of what was added can.
        m_filling = true;
        m_filled.append(lines);
        m_editor->setLines(m_filled);
        m_filling = false;
        placeMarks();
    }
    addSectionMark(mark);
}

void CodeEditorWindow::addSectionMark(SectionMark mark)
{
    if (mark == SectionMark::None)
        return;
    const int count = int(m_filled.size());
    const bool start = mark == SectionMark::Start;
    int &index = start ? m_startMark : m_endMark;
    if (index < 0) {
        index = int(m_marks.size());
        m_marks.append({0, SectionMarkImage, QString()});
    }
    // A start mark on the first line still to come, an end mark on the
    // last line added.
    m_marks[index].line = start ? count : std::max(0, count - 1);
    placeMarks();
    m_editor->setCursorPosition(0, 0);
}

void CodeEditorWindow::addItemMark(QObject *item, int line, ItemMark mark)
{
    const QString suffix = mark == ItemMark::Start ? QStringLiteral("_p") : QStringLiteral("_k");
    m_marks.append({std::max(0, line - 1), ItemMarkImage, item->objectName() + suffix});
    placeMarks();
}

void CodeEditorWindow::setLinesBeforeGeneratedCode(std::function<int()> linesBefore)
{
    m_linesBefore = std::move(linesBefore);
}

void CodeEditorWindow::markItemLines(QObject *item, int line, ItemMark mark)
{
    const int before = m_linesBefore ? m_linesBefore() : int(m_filled.size());
    addItemMark(item, line + before, mark);
}

// While the window is being filled the marks stay on the lines asked for;
// setting the text anew would move them.
void CodeEditorWindow::placeMarks()
{
    const int lines = m_editor->lineCount();
    for (PlacedMark &mark : m_marks) {
        if (mark.handle >= 0)
            m_editor->removeMark(mark.handle);
        mark.handle = mark.line < lines ? m_editor->addMark(mark.line, mark.image) : -1;
    }
    m_editor->refreshLineColours();
}

// --- Reading back.

int CodeEditorWindow::lineOf(const PlacedMark &mark) const
{
    if (mark.handle < 0)
        return mark.line;
    const int line = m_editor->markLine(mark.handle);
    return line >= 0 ? line : mark.line;
}

QList<CodeEditorWindow::Mark> CodeEditorWindow::marks() const
{
    QList<Mark> result;
    for (const PlacedMark &mark : m_marks)
        result.append({lineOf(mark) + 1, mark.image, mark.name});
    return result;
}

int CodeEditorWindow::sectionLine(int index, int missing) const
{
    return index >= 0 ? lineOf(m_marks.at(index)) : missing;
}

CodeLines CodeEditorWindow::textsOf(int first, int last) const
{
    CodeLines result;
    for (int line = std::max(0, first); line <= last && line < m_editor->lineCount(); ++line)
        result.add(m_editor->lineText(line));
    return result;
}

CodeLines CodeEditorWindow::linesBeforeSection() const
{
    return textsOf(0, sectionLine(m_startMark, 0) - 1);
}

CodeLines CodeEditorWindow::linesAfterSection() const
{
    return textsOf(sectionLine(m_endMark, m_editor->lineCount()) + 1, m_editor->lineCount() - 1);
}

CodeLines CodeEditorWindow::allLines() const
{
    return m_editor->lines();
}

// --- Handlers.

// Typing on a caption line renames what the item prints, at once and
// whatever the dialog's outcome. A failure here must not disturb typing.
void CodeEditorWindow::textEditChanged()
{
    if (m_filling || !m_editor)
        return;
    try {
        int line = 0;
        int column = 0;
        m_editor->getCursorPosition(&line, &column);
        TextItem *item = captionLineItem(m_editor->lineObject(line));
        if (!item)
            return;
        const std::optional<QString> caption =
            captionFromPrintLine(withoutLineEnd(m_editor->text(line)), item->format);
        if (caption && *caption != item->caption()) {
            item->setCaption(*caption);
            emit captionEdited();
        }
    } catch (...) { // NOLINT(bugprone-empty-catch)
    }
}

void CodeEditorWindow::editPropertyTriggered()
{
    if (m_editor)
        PropertyEditWindow::open(m_editor, sourceEditorPropertyTable(), this);
}

// --- The generated block.

std::optional<std::pair<int, int>> CodeEditorWindow::generatedBlock() const
{
    if (m_startMark < 0 || m_endMark < 0)
        return std::nullopt;
    const int first = lineOf(m_marks.at(m_startMark));
    const int last = lineOf(m_marks.at(m_endMark));
    if (last < first)
        return std::nullopt;
    return std::make_pair(first, last);
}

bool CodeEditorWindow::isCaptionLine(int line) const
{
    return captionLineItem(m_editor->lineObject(line)) != nullptr;
}

bool CodeEditorWindow::isProtectedLine(int line) const
{
    const auto block = generatedBlock();
    return block && line >= block->first && line <= block->second && !isCaptionLine(line);
}

bool CodeEditorWindow::changeAllowed(const SourceEditor::TextChange &change) const
{
    const auto block = generatedBlock();
    if (!block || !m_editor)
        return true;
    if (change.removed > 0)
        return removalAllowed(change.position, change.position + change.removed, block->first,
                              block->second);
    return insertionAllowed(change.position, change.inserted, block->first, block->second);
}

// Removing bytes from..to may not touch a protected line, nor split or
// join a caption line, nor join kept text to the block's first line.
bool CodeEditorWindow::removalAllowed(int from, int to, int first, int last) const
{
    const int firstLine = std::max(m_editor->lineAt(from), first);
    const int lastLine = std::min(m_editor->lineAt(to - 1), last);
    for (int line = firstLine; line <= lastLine; ++line) {
        const int end = m_editor->lineEnd(line);
        if (!isCaptionLine(line) || (end >= from && end < to))
            return false;
    }
    if (first > 0) {
        const int endBefore = m_editor->lineEnd(first - 1);
        const bool wholeLines = from == m_editor->lineStart(m_editor->lineAt(from));
        if (endBefore >= from && endBefore < to && !wholeLines)
            return false;
    }
    return true;
}

// Text may go inside a caption line, and whole lines before the block's
// first line or after its last; nowhere else in the block.
bool CodeEditorWindow::insertionAllowed(int position, const std::optional<QString> &text, int first,
                                        int last) const
{
    const int line = m_editor->lineAt(position);
    if (line < first || line > last)
        return true;
    // What the editor's own commands insert is not told: never allowed here.
    if (!text)
        return false;
    if (line == first && position == m_editor->lineStart(line) && text->endsWith(u'\n'))
        return true;
    if (line == last && position == m_editor->lineEnd(line) && text->startsWith(u'\n'))
        return true;
    return isCaptionLine(line) && !hasLineBreak(*text);
}

bool CodeEditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Only key presses are looked at: the editor sends other events while it
    // is being destroyed, when it is no longer an editor to look at.
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const bool editor = m_editor && (watched == m_editor || watched == m_editor->viewport());
    if (editor && typeBesideBlock(static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool CodeEditorWindow::typeBesideBlock(const QKeyEvent *key)
{
    const auto block = generatedBlock();
    const bool enter = isEnter(key);
    if (!block || m_editor->hasSelectedText() || m_editor->isListActive()
        || !(enter || typesText(key))) {
        return false;
    }
    int line = 0;
    int column = 0;
    m_editor->getCursorPosition(&line, &column);
    const int position = m_editor->positionFromLineIndex(line, column);
    if (line == block->first && position == m_editor->lineStart(line)) {
        m_editor->insertText(position, QStringLiteral("\n"));
        // Enter leaves the caret on the block, as on any line pushed down.
        m_editor->setCursorPosition(enter ? line + 1 : line, 0);
        return enter;
    }
    // At a caption line's end typing goes on with the caption.
    if (line == block->second && position == m_editor->lineEnd(line)
        && (enter || !isCaptionLine(line))) {
        m_editor->insertText(position, QStringLiteral("\n"));
        m_editor->setCursorPosition(line + 1, 0);
        return enter;
    }
    return false;
}
