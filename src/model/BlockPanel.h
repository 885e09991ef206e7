#pragma once

#include "model/ReportControl.h"

// A block panel: a decorative gradient panel that generation ignores.
class BlockPanel : public ReportControl
{
    Q_OBJECT

public:
    BlockPanel(ComponentOwner *owner, QWidget *parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    int bevelInner = 0; // bvNone
    int bevelOuter = 2; // bvRaised
    int bevelWidth = 1;
    int borderWidth = 0;
    int borderStyle = 0; // bsNone
    int tabOrder = 0;
    int panelWidth = 50;
    int panelHeight = 50;
    int semiPercent = 70;
    int bevelWidthInner = 0;
    int captionHAlign = 0; // iasphNone
    int captionVAlign = 0; // iaspvNone
    int captionLeft = 0;
    int captionTop = 0;
    bool captionTransparent = true;
    int captionAngle = 0;
    qint64 color1 = NamedValues::clWhite;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption = QStringLiteral(" ");
};
