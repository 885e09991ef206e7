#include "generation/LineText.h"

namespace LineText {

QString tabs(int level)
{
    return level > 0 ? QString(level, QLatin1Char('\t')) : QString();
}

QStringView trimmed(QStringView text)
{
    const auto isBlankChar = [](QChar c) {
        return c.unicode() <= u' ';
    };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankChar(text[begin]))
        ++begin;
    while (end > begin && isBlankChar(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QString blankControls(QString text)
{
    for (QChar &c : text) {
        const char16_t code = c.unicode();
        if (code < u' ' || (code >= 0x7F && code <= 0x9F))
            c = u' ';
    }
    return text;
}

QString statement(QLatin1StringView keyword, QStringView argument)
{
    QString text;
    text.reserve(keyword.size() + 1 + argument.size());
    text.append(keyword).append(QLatin1Char(' ')).append(argument);
    return text;
}

QString statement(QLatin1StringView keyword, int argument)
{
    return statement(keyword, QString::number(argument));
}

bool isWord(QStringView text, QLatin1StringView word)
{
    if (text.size() != word.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c >= u'a' && c <= u'z')
            c -= u'a' - u'A';
        if (c != static_cast<unsigned char>(word[i].toLatin1()))
            return false;
    }
    return true;
}

} // namespace LineText
