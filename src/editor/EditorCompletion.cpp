#include "editor/EditorCompletion.h"

#include "editor/TextFiles.h"

#include <QListWidget>
#include <Qsci/qsciscintilla.h>

namespace {

constexpr int CompletionListId = 1;

bool isBlank(QChar character)
{
    return character.isSpace();
}

bool isBracket(QChar character)
{
    return QStringView(u"()[]").contains(character);
}

bool endsToken(QChar character)
{
    return isBlank(character) || QStringView(EditorCompletion::tokenEnd).contains(character);
}

bool startsWith(const QString &word, const QString &typed)
{
    return !typed.isEmpty() && word.startsWith(typed, Qt::CaseInsensitive);
}

} // namespace

EditorCompletion::EditorCompletion(QsciScintilla *editor) : QObject(editor), m_editor(editor)
{
    connect(editor, &QsciScintilla::userListActivated, this, &EditorCompletion::insert);
}

bool EditorCompletion::loadWords(const QString &fileName)
{
    const std::optional<QStringList> lines = TextFiles::readLines(fileName);
    if (!lines)
        return false;
    m_words.clear();
    for (const QString &line : *lines) {
        if (!line.trimmed().isEmpty())
            m_words.append(line.trimmed());
    }
    return true;
}

void EditorCompletion::show()
{
    if (m_words.isEmpty())
        return;
    QStringList shown = matching(typedBeforeCaret());
    if (shown.isEmpty())
        shown = m_words;

    const int averageWidth = std::max(1, m_editor->fontMetrics().averageCharWidth());
    m_editor->SendScintilla(QsciScintilla::SCI_AUTOCSETMAXHEIGHT, rows);
    m_editor->SendScintilla(QsciScintilla::SCI_AUTOCSETMAXWIDTH, width / averageWidth);
    m_editor->SendScintilla(QsciScintilla::SCI_AUTOCSETIGNORECASE, true);
    m_editor->SendScintilla(QsciScintilla::SCI_AUTOCSETORDER, QsciScintilla::SC_ORDER_CUSTOM);
    m_editor->showUserList(CompletionListId, shown);
    colourPopup();
}

QStringList EditorCompletion::matching(const Typed &typed) const
{
    QStringList result;
    for (const QString &word : m_words) {
        if (startsWith(word, typed.wide) || startsWith(word, typed.token))
            result.append(word);
    }
    return result;
}

EditorCompletion::Typed EditorCompletion::typedBeforeCaret() const
{
    int line = 0;
    int index = 0;
    m_editor->getCursorPosition(&line, &index);
    const QString before = m_editor->text(line).left(index);
    qsizetype token = before.size();
    while (token > 0 && !endsToken(before[token - 1]))
        --token;
    qsizetype wide = token;
    while (wide > 0 && !isBlank(before[wide - 1]) && !isBracket(before[wide - 1]))
        --wide;
    return {m_editor->positionFromLineIndex(line, int(wide)),
            m_editor->positionFromLineIndex(line, int(token)), before.mid(wide), before.mid(token)};
}

void EditorCompletion::insert(int id, const QString &word)
{
    if (id != CompletionListId)
        return;
    const Typed typed = typedBeforeCaret();
    const int start = startsWith(word, typed.wide) ? typed.wideStart : typed.tokenStart;
    const int caret = int(m_editor->SendScintilla(QsciScintilla::SCI_GETCURRENTPOS));
    m_editor->SendScintilla(QsciScintilla::SCI_SETSEL, start, caret);
    m_editor->replaceSelectedText(word);
}

void EditorCompletion::colourPopup()
{
    if (!selectedColour.isValid())
        return;
    for (QListWidget *list : m_editor->findChildren<QListWidget *>()) {
        QPalette palette = list->palette();
        palette.setColor(QPalette::Highlight, selectedColour);
        palette.setColor(QPalette::Inactive, QPalette::Highlight, selectedColour);
        list->setPalette(palette);
    }
}
