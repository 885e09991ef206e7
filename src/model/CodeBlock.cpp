#include "model/CodeBlock.h"

#include "model/ReportPainting.h"

#include <QPainter>

CodeBlock::CodeBlock(ComponentOwner *owner, QWidget *parent) : ReportControl(owner, parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    letParentPaint();
}

void CodeBlock::setCode(const CodeLines &code)
{
    m_code = code;
    rebuildCaption();
}

void CodeBlock::rebuildCaption()
{
    QString caption;
    for (const CodeLine &line : std::as_const(m_code))
        caption += QChar(13) + line.text;
    setCaption(caption);
}

void CodeBlock::setCaption(const QString &caption)
{
    m_caption = caption;
    refresh();
}

void CodeBlock::setName(const QString &name)
{
    if (m_caption.isEmpty() || m_caption == objectName())
        setCaption(name);
    setObjectName(name);
}

void CodeBlock::paintFace(QPainter &painter) const
{
    ReportPainting::paintCodeBlock(painter, *this);
}
