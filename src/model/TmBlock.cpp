#include "model/TmBlock.h"

#include "model/ReportPainting.h"

#include <QPainter>

TmBlock::TmBlock(ComponentOwner *owner, QWidget *parent)
    : TReportControl(owner, parent)
{
}

void TmBlock::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void TmBlock::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    ReportPainting::paintBlock(painter, *this);
}
