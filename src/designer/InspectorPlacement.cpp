#include "designer/InspectorPlacement.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// Some screen shows the window's title bar, so that the user can take it.
bool onSomeScreen(const QRect &bounds)
{
    const QPoint titleBar = bounds.topLeft() + QPoint(std::min(40, bounds.width() / 2), 8);
    return QGuiApplication::screenAt(titleBar) != nullptr;
}

} // namespace

void InspectorPlacement::place(QWidget *window) const
{
    if (m_bounds && !m_bounds->isEmpty() && onSomeScreen(*m_bounds)) {
        window->resize(m_bounds->size());
        window->move(m_bounds->topLeft());
    } else if (m_default) {
        window->move(m_default(window->size()));
    }
}

void InspectorPlacement::keep(const QWidget *window)
{
    m_bounds = QRect(window->pos(), window->size());
}
