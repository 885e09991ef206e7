#include "editor/SourceEditor.h"

#include "editor/EditorCompletion.h"
#include "editor/EditorGlyphs.h"
#include "editor/ReportWriterLexer.h"
#include "model/ComponentOwner.h"

#include <QAction>
#include <QFontDatabase>
#include <QMenu>

namespace {

enum Margin { MarkMargin, NumberMargin, BesideMargin };

// The face itself when it is installed, else the closest fixed-width face
// there is: the usual stand-ins of the common Windows faces come first.
QString resolvedFamily(const QString &name)
{
    static const QStringList standIns = {QStringLiteral("Liberation Mono"),
                                         QStringLiteral("DejaVu Sans Mono")};
    if (QFontDatabase::hasFamily(name))
        return name;
    for (const QString &family : standIns) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

} // namespace

const QStringList &SourceEditor::optionNames()
{
    static const QStringList names = {
        QStringLiteral("AltColumnSelection"), QStringLiteral("AutoIndent"),
        QStringLiteral("HalfPageScrolling"),  QStringLiteral("ScrollOneLineLess"),
        QStringLiteral("CaretPastEndOfText"), QStringLiteral("CaretPastEndOfLine"),
        QStringLiteral("SmartTabs"),          QStringLiteral("TabsToSpaces"),
        QStringLiteral("TrimTrailingBlanks"), QStringLiteral("HideSelectionWithoutFocus"),
    };
    return names;
}

SourceEditor::SourceEditor(ComponentOwner *owner, QWidget *parent)
    : QsciScintilla(parent),
      m_owner(owner),
      m_lexer(new ReportWriterLexer(this)),
      m_completion(new EditorCompletion(this))
{
    m_bookmarks.fill(-1);
    m_bookmarkColumns.fill(0);
    setUtf8(true);
    setEolMode(EolUnix);
    setTabWidth(8);
    // The horizontal scroll bar follows the longest line seen.
    SendScintilla(SCI_SETSCROLLWIDTH, 1);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, true);
    setLexer(m_lexer);
    createGutter();
    createContextMenu();
    m_lineObjects.append(LineObject()); // the empty document's one line
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char *text, int length, int linesAdded) {
                guardModification(position, type, length);
                trackModification(position, type, text, length, linesAdded);
            });
    connect(this, &QsciScintilla::linesChanged, this, &SourceEditor::applyGutter);
    applySettings();
    if (m_owner)
        m_owner->insertComponent(this);
}

SourceEditor::~SourceEditor()
{
    if (m_owner)
        m_owner->removeComponent(this);
}

void SourceEditor::useCodeDialogConfiguration()
{
    setTabWidth(5);
    m_options |=
        HalfPageScrolling | ScrollOneLineLess | CaretPastEndOfText | HideSelectionWithoutFocus;
    m_completion->rows = 8;
    m_completion->selectedColour = NamedValues::toQColor(0x008080); // clOlive
    applySettings();
}

void SourceEditor::createGutter()
{
    for (int image = 0; image < EditorGlyphs::GlyphCount; ++image) {
        markerDefine(EditorGlyphs::glyph(image), image);                   // bookmarks
        markerDefine(EditorGlyphs::glyph(image), FirstMarkMarker + image); // marks
    }
    setMarginType(MarkMargin, SymbolMargin);
    setMarginMarkerMask(MarkMargin, (1 << (FirstMarkMarker + EditorGlyphs::GlyphCount)) - 1);
    setMarginType(NumberMargin, NumberMargin);
    setMarginMarkerMask(NumberMargin, 0);
    setMarginType(BesideMargin, SymbolMargin);
    setMarginMarkerMask(BesideMargin, 0);
    setMarginWidth(BesideMargin, 0);
}

void SourceEditor::showMarksBeside(int image)
{
    const int marker = 1 << (FirstMarkMarker + std::clamp(image, 0, BookmarkCount - 1));
    setMarginMarkerMask(MarkMargin, marginMarkerMask(MarkMargin) & ~marker);
    setMarginMarkerMask(BesideMargin, marginMarkerMask(BesideMargin) | marker);
    setMarginWidth(BesideMargin, EditorGlyphs::GlyphWidth + 2);
}

void SourceEditor::createContextMenu()
{
    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *editProperty = m_contextMenu->addAction(QStringLiteral("Edit Property"));
    editProperty->setObjectName(QStringLiteral("EditProperty1"));
    connect(editProperty, &QAction::triggered, this, &SourceEditor::editPropertyRequested);
}

void SourceEditor::loaded()
{
    m_loading = false;
    applySettings();
}

void SourceEditor::applySettings()
{
    if (m_loading)
        return;
    applyFont();
    applyColours();
    applyGutter();
    applyOptions();
    setEdgeMode(EdgeLine);
    setEdgeColumn(m_rightEdge);
}

QFont SourceEditor::editorFont() const
{
    QFont font(resolvedFamily(m_fontName));
    font.setStyleHint(QFont::TypeWriter);
    // The editor component sizes its styles in points only.
    const double pixels = std::max(1, std::abs(m_fontHeight));
    font.setPointSizeF(pixels * 72.0 / logicalDpiY());
    font.setBold(m_fontStyle & 1);
    font.setItalic(m_fontStyle & 2);
    font.setUnderline(m_fontStyle & 4);
    font.setStrikeOut(m_fontStyle & 8);
    return font;
}

void SourceEditor::applyFont()
{
    const QFont font = editorFont();
    m_lexer->setEditorFont(font);
    setFont(font);
    setMarginsFont(font);
}

void SourceEditor::applyColours()
{
    const QColor paper = NamedValues::toQColor(m_color);
    m_lexer->setBackground(paper);
    m_lexer->setDefaultColor(NamedValues::toQColor(m_fontColor));
    m_lexer->setColor(NamedValues::toQColor(m_fontColor), ReportWriterLexer::Default);
    setCaretForegroundColor(NamedValues::toQColor(m_fontColor));
    setMarginsBackgroundColor(NamedValues::toQColor(m_gutterColor));
    setEdgeColor(NamedValues::toQColor(m_rightEdgeColor));
}

void SourceEditor::applyGutter()
{
    const int glyphSpace = EditorGlyphs::GlyphWidth + 2;
    setMarginWidth(MarkMargin,
                   m_gutterAutoSize ? std::max(m_gutterWidth, glyphSpace) : m_gutterWidth);
    // Numbers widen the gutter as the text grows.
    setMarginLineNumbers(NumberMargin, m_lineNumbers);
    if (m_lineNumbers)
        setMarginWidth(NumberMargin, QStringLiteral("0%1").arg(QsciScintilla::lines()));
    else
        setMarginWidth(NumberMargin, 0);
}

void SourceEditor::applyOptions()
{
    setAutoIndent(hasOption(AutoIndent));
    setIndentationsUseTabs(!hasOption(TabsToSpaces));
    const int virtualSpace =
        SCVS_RECTANGULARSELECTION | (hasOption(CaretPastEndOfLine) ? SCVS_USERACCESSIBLE : 0);
    SendScintilla(SCI_SETVIRTUALSPACEOPTIONS, virtualSpace);
    SendScintilla(SCI_SETENDATLASTLINE, !hasOption(CaretPastEndOfText));
    SendScintilla(SCI_HIDESELECTION, hasOption(HideSelectionWithoutFocus) && !hasFocus());
}

bool SourceEditor::loadCompletionList(const QString &fileName)
{
    return m_completion->loadWords(fileName);
}
