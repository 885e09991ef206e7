#pragma once

#include <QColor>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <memory>

class HandleFrame;
class OutlineGroup;
class OutlineOverlay;

// What a handle manager gives every handle it makes.
struct HandleSettings
{
    int size = 6;
    QColor color = Qt::black;
    int stepX = 6;
    int stepY = 6;
    QColor outlineColor = QColor(0x80, 0x80, 0x80);
    int outlinePenWidth = 2;
    QPointer<OutlineOverlay> overlay;
};

// Where on the control's edges a handle sits.
enum class HandlePlace {
    TopLeft,
    TopRight,
    BottomRight,
    BottomLeft,
    TopMiddle,
    BottomMiddle,
    MiddleRight,
    MiddleLeft,
};

// A handle: a small square lying over an edge of the selected control, a
// child of the control's parent. Dragging it resizes the control on the
// grid; its place says which edges it moves.
class ResizeHandle : public QWidget
{
    Q_OBJECT

public:
    enum Edge { LeftEdge = 1, TopEdge = 2, RightEdge = 4, BottomEdge = 8 };

    ResizeHandle(HandlePlace place, HandleFrame *set, QWidget *control,
                 const HandleSettings &settings);
    ~ResizeHandle() override;

    HandlePlace place() const { return m_place; }
    QWidget *control() const { return m_control; }
    void forgetControl() { m_control = nullptr; }
    // Places the handle on its edge of control.
    void setControl(QWidget *control);
    bool isDragging() const { return m_shape != nullptr; }
    int edges() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    Qt::CursorShape cursorShape() const;
    QPoint snapped(const QPoint &position) const;
    // The bounds a release at position would give, flipped over the fixed
    // edges when the pointer passed them.
    QRect resizedBounds(const QPoint &position) const;
    void createShape();
    void drawOutline(const QRect &bounds);
    void endDrag(const QPoint &position);

    HandlePlace m_place;
    HandleFrame *m_set;
    QWidget *m_control;
    HandleSettings m_settings;
    QPoint m_grab;
    std::unique_ptr<OutlineGroup> m_shape;
};
