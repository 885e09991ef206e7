#include "model/CodeLines.h"

QStringList CodeLines::texts() const
{
    QStringList result;
    result.reserve(size());
    for (const CodeLine &line : *this)
        result.append(line.text);
    return result;
}

void CodeLines::setTexts(const QStringList &texts)
{
    clear();
    reserve(texts.size());
    for (const QString &text : texts)
        append({text, {}});
}

void CodeLines::add(const QString &text, QObject *parent, LineAttribute attribute)
{
    append({text, {nullptr, std::make_shared<LineTag>(parent, attributeBit(attribute))}});
}
