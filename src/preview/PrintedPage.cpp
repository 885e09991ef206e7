#include "preview/PrintedPage.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies text into out one byte a character, in one pass without a branch
// a character (most lines are plain text); false when a character does not
// fit a byte, out then holding nothing of use.
bool copyLatin1(QStringView text, char *out)
{
    const char16_t *in = text.utf16();
    unsigned all = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        all |= in[i];
        out[i] = char(in[i]);
    }
    return all < 0x100;
}

} // namespace

QString PrintedPage::lineText(qsizetype index) const
{
    const qsizetype length = lineLength(index);
    if (length == 0)
        return {};
    const qsizetype start = lineStart(index);
    if (!m_wide)
        return QString::fromLatin1(m_text.constData() + start, length);
    QString text(length, Qt::Uninitialized);
    std::memcpy(text.data(), m_text.constData() + start * sizeof(char16_t),
                length * sizeof(char16_t));
    return text;
}

qsizetype PrintedPage::lineLength(qsizetype index) const
{
    if (index < 0 || index >= lineCount())
        return 0;
    return m_lineEnds[index] - lineStart(index);
}

qsizetype PrintedPage::widestLine() const
{
    qsizetype widest = 0;
    for (qsizetype index = 0; index < lineCount(); ++index)
        widest = std::max(widest, lineLength(index));
    return widest;
}

QList<UnderlineSpan> PrintedPage::lineUnderlines(qsizetype index) const
{
    const auto byLine = [](const LineUnderline &underline, qsizetype line) {
        return underline.line < line;
    };
    QList<UnderlineSpan> spans;
    for (auto at = std::lower_bound(m_underlines.begin(), m_underlines.end(), index, byLine);
         at != m_underlines.end() && at->line == index; ++at)
        spans.append(at->span);
    return spans;
}

PrintedLine PrintedPage::line(qsizetype index) const
{
    return {lineText(index), lineUnderlines(index)};
}

void PrintedPage::appendLine(QStringView text, const QList<UnderlineSpan> &underlines)
{
    const qsizetype start = m_lineEnds.isEmpty() ? 0 : m_lineEnds.last();
    if (!m_wide) {
        m_text.resize(start + text.size());
        if (!copyLatin1(text, m_text.data() + start)) {
            m_text.resize(start);
            widen();
        }
    }
    if (m_wide)
        m_text.append(reinterpret_cast<const char *>(text.utf16()),
                      text.size() * qsizetype(sizeof(char16_t)));
    const int line = int(m_lineEnds.size());
    m_lineEnds.append(int(start + text.size()));
    for (const UnderlineSpan &span : underlines)
        m_underlines.append({line, span});
}

// The page's first character beyond Latin-1: the lines so far move to
// UTF-16, as every later one goes.
void PrintedPage::widen()
{
    const QString wide = QString::fromLatin1(m_text);
    m_text = QByteArray(reinterpret_cast<const char *>(wide.utf16()),
                        wide.size() * qsizetype(sizeof(char16_t)));
    m_wide = true;
}

void PrintedPage::squeeze()
{
    m_text.squeeze();
    m_lineEnds.squeeze();
    m_underlines.squeeze();
}

qsizetype PrintedPage::storageBytes() const
{
    return m_text.capacity() + m_lineEnds.capacity() * qsizetype(sizeof(int))
           + m_underlines.capacity() * qsizetype(sizeof(LineUnderline));
}
