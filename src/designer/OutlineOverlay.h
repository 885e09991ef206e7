#pragma once

#include <QList>
#include <QPixmap>
#include <QWidget>

class OutlineGroup;

// The layer above a stage on which drag outlines show. While an outline
// is drawn it covers the stage with a picture of what was there when the
// drag began, so moving outlines repaints the layer alone and never the
// controls beneath it. Between drags it is hidden.
class OutlineOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit OutlineOverlay(QWidget *stage);

    void attach(OutlineGroup *shape);
    void detach(OutlineGroup *shape);
    // screenRect (screen coordinates) changed in shape's outlines.
    void shapeChanged(const QRect &screenRect);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void freeze();
    void thaw();
    bool anyDrawn() const;
    QPixmap pictureOfStage(const QRect &visible) const;

    QList<OutlineGroup *> m_shapes;
    QPixmap m_picture;
    QPoint m_pictureAt;
    bool m_frozen = false;
};
