#pragma once

#include "designer/DsnTargets.h"

#include <QColor>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <memory>
#include <vector>

class THandlerRect;
class TMultiShape;
class TOutlineOverlay;

// What a handle manager gives every handle it makes.
struct THandleSettings
{
    int size = 6;
    int stepX = 6;
    int stepY = 6;
    QColor activeColor = Qt::black;
    QColor inactiveColor = QColor(0x80, 0x80, 0x80);
    QColor outlineColor = QColor(0x80, 0x80, 0x80);
    int outlinePenWidth = 2;
    QPointer<TOutlineOverlay> overlay;
};

// Where on the control's edges a handle sits.
enum class THandlePlace {
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
class TSmallRect : public QWidget
{
    Q_OBJECT

public:
    enum Edge { LeftEdge = 1, TopEdge = 2, RightEdge = 4, BottomEdge = 8 };

    TSmallRect(THandlePlace place, THandlerRect *set, QWidget *control,
               const THandleSettings &settings);
    ~TSmallRect() override;

    THandlePlace place() const { return m_place; }
    QWidget *control() const { return m_control; }
    void forgetControl() { m_control = nullptr; }
    bool isActive() const { return m_active; }
    void setActive(bool active);
    // Places the handle on its edge of control.
    void SetControl(QWidget *control);
    bool isDragging() const { return m_shape != nullptr; }
    int edges() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    Qt::CursorShape activeCursor() const;
    QPoint snapped(const QPoint &position) const;
    // The bounds a release at position would give, flipped over the fixed
    // edges when the pointer passed them.
    QRect resizedBounds(const QPoint &position) const;
    void CreateShape();
    void drawOutline(const QRect &bounds);
    void endDrag(const QPoint &position);

    THandlePlace m_place;
    THandlerRect *m_set;
    QWidget *m_control;
    THandleSettings m_settings;
    bool m_active = true;
    QPoint m_grab;
    std::unique_ptr<TMultiShape> m_shape;
};

template<THandlePlace Place>
class TPlacedRect : public TSmallRect
{
public:
    TPlacedRect(THandlerRect *set, QWidget *control, const THandleSettings &settings)
        : TSmallRect(Place, set, control, settings)
    {
    }
};

using THidariueRect = TPlacedRect<THandlePlace::TopLeft>;
using TMigiueRect = TPlacedRect<THandlePlace::TopRight>;
using TMigishitaRect = TPlacedRect<THandlePlace::BottomRight>;
using THidarishitaRect = TPlacedRect<THandlePlace::BottomLeft>;
using TNakaueRect = TPlacedRect<THandlePlace::TopMiddle>;
using TNakashitaRect = TPlacedRect<THandlePlace::BottomMiddle>;
using TNakamigiRect = TPlacedRect<THandlePlace::MiddleRight>;
using TNakahidariRect = TPlacedRect<THandlePlace::MiddleLeft>;

// What a handle manager keeps per selected control.
class THandlerSet
{
public:
    explicit THandlerSet(QWidget *control) : m_control(control) {}
    virtual ~THandlerSet() = default;
    THandlerSet(const THandlerSet &) = delete;
    THandlerSet &operator=(const THandlerSet &) = delete;

    QWidget *control() const { return m_control; }
    // The control is going away: never touch it again.
    virtual void forgetControl() { m_control = nullptr; }
    virtual void Reposition() = 0;
    virtual void SetInactive() {}
    virtual bool hasHandleWindows() const { return false; }

private:
    QWidget *m_control;
};

// Four corner handles; the set remembers the control's bounds at the last
// handle press.
class THandlerRect : public THandlerSet
{
public:
    THandlerRect(QWidget *control, const THandleSettings &settings);
    ~THandlerRect() override;

    // Made by the manager right after construction.
    virtual void CreateHandles();
    void Reposition() override;
    void SetInactive() override;
    void forgetControl() override;
    bool hasHandleWindows() const override { return true; }

    QRect storedBounds() const { return m_bounds; }
    void storeBounds(const QRect &bounds) { m_bounds = bounds; }
    QList<TSmallRect *> handles() const;

protected:
    template<class Handle>
    void addHandle()
    {
        auto *handle = new Handle(this, control(), m_settings);
        m_handles.append(handle);
        handle->setActive(true);
        handle->SetControl(control());
        handle->show();
        handle->raise();
    }

private:
    THandleSettings m_settings;
    QList<QPointer<TSmallRect>> m_handles;
    QRect m_bounds;
};

// The handle manager: a selection receiver that gives each selected
// control a handle set. Several selected controls get inactive grey sets.
class TMultiHandler : public TReceiveTargets
{
public:
    explicit TMultiHandler(const THandleSettings &settings = {});
    ~TMultiHandler() override;

    void setSettings(const THandleSettings &settings) { m_settings = settings; }
    const THandleSettings &settings() const { return m_settings; }

    void TargetNil(int index) override;
    void Add(QWidget *control) override;
    void Clear() override;
    void Delete(int index) override;
    void Update() override;

    int count() const { return int(m_sets.size()); }
    THandlerSet *set(int index) const;

protected:
    virtual std::unique_ptr<THandlerSet> CreateHandleSet(QWidget *control);
    // Whether control gets no set: none, a handle, or already has one.
    bool ignores(const QWidget *control) const;
    void appendSet(std::unique_ptr<THandlerSet> set) { m_sets.push_back(std::move(set)); }
    void replaceSet(int index, std::unique_ptr<THandlerSet> set);
    static void announceAdded(QWidget *control, bool withPayload);

private:
    THandleSettings m_settings;
    std::vector<std::unique_ptr<THandlerSet>> m_sets;
};
