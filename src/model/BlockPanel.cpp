#include "model/BlockPanel.h"

#include "model/ReportPainting.h"

#include <QPainter>

BlockPanel::BlockPanel(ComponentOwner *owner, QWidget *parent) : ReportControl(owner, parent) {}

void BlockPanel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void BlockPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    ReportPainting::paintBlock(painter, *this);
}
