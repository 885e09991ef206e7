#include "model/TMBlockCode.h"

#include "model/ReportPainting.h"

#include <QPainter>

TMBlockCode::TMBlockCode(ComponentOwner *owner, QWidget *parent)
    : TReportControl(owner, parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TMBlockCode::setCode(const CodeLines &code)
{
    m_code = code;
    rebuildCaption();
}

void TMBlockCode::rebuildCaption()
{
    QString caption;
    for (const CodeLine &line : std::as_const(m_code))
        caption += QChar(13) + line.text;
    setCaption(caption);
}

void TMBlockCode::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void TMBlockCode::setName(const QString &name)
{
    if (m_caption.isEmpty() || m_caption == objectName())
        setCaption(name);
    setObjectName(name);
}

void TMBlockCode::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    ReportPainting::paintCodeBlock(painter, *this);
}
