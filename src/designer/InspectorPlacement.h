#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>

class QWidget;

// Where the inspector's window stands: one place shared by the inspectors
// of a frame, so that the window comes back where the user left it when
// design mode starts again, when another report becomes active, or in the
// next run. Bounds are the window frame's top-left and the window's size.
class InspectorPlacement
{
public:
    // Where a window of a size goes while it has no place of its own.
    using DefaultPlace = std::function<QPoint(QSize size)>;

    explicit InspectorPlacement(DefaultPlace defaultPlace = {}) : m_default(std::move(defaultPlace))
    {
    }

    std::optional<QRect> bounds() const { return m_bounds; }
    void setBounds(const QRect &bounds) { m_bounds = bounds; }

    // Puts window at the place kept (when a screen still shows it), else
    // at the default place.
    void place(QWidget *window) const;
    // Keeps the window's place and size.
    void keep(const QWidget *window);

private:
    DefaultPlace m_default;
    std::optional<QRect> m_bounds;
};
