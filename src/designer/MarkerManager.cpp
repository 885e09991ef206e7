#include "designer/MarkerManager.h"

#include "designer/CornerMarks.h"
#include "designer/DesignMessages.h"
#include "designer/HandleFrame.h"

#include <QCoreApplication>

#include <algorithm>

MarkerManager::MarkerManager(const HandleSettings &settings) : m_settings(settings) {}

MarkerManager::~MarkerManager() = default;

SelectionMarker *MarkerManager::set(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return m_sets[size_t(index)].get();
}

bool MarkerManager::ignores(const QWidget *control) const
{
    if (!control || !control->parentWidget() || qobject_cast<const ResizeHandle *>(control))
        return true;
    // The set of marked controls may still name one that has gone: a hit is
    // confirmed against the sets themselves.
    if (!m_marked.contains(control))
        return false;
    return std::any_of(m_sets.begin(), m_sets.end(),
                       [control](const auto &set) { return set->control() == control; });
}

std::unique_ptr<SelectionMarker> MarkerManager::createHandles(QWidget *control) const
{
    return std::make_unique<HandleFrame>(control, m_settings);
}

void MarkerManager::announceAdded(QWidget *control)
{
    if (QWidget *window = DesignMessage::windowOf(control)) {
        DesignMessageEvent added(DesignMessage::TargetAdded);
        QCoreApplication::sendEvent(window, &added);
    }
}

void MarkerManager::addTarget(QWidget *control)
{
    if (ignores(control))
        return;
    m_marked.insert(control);
    if (count() == 0) {
        m_sets.push_back(createHandles(control));
    } else {
        // The first control trades its handles for marks.
        if (count() == 1)
            m_sets.front() = std::make_unique<CornerMarks>(m_sets.front()->control());
        m_sets.push_back(std::make_unique<CornerMarks>(control));
    }
    announceAdded(control);
}

void MarkerManager::forgetTarget(int index)
{
    if (SelectionMarker *handlerSet = set(index))
        handlerSet->forgetControl();
}

void MarkerManager::removeTarget(int index)
{
    if (index < 0 || index >= count())
        return;
    m_marked.remove(m_sets[size_t(index)]->control());
    m_sets.erase(m_sets.begin() + index);
    if (count() != 1)
        return;
    QWidget *remaining = m_sets.front()->control();
    if (!remaining || !DesignMessage::windowOf(remaining))
        return;
    // The one control left gets a fresh, active set.
    m_sets.clear();
    m_marked.clear();
    addTarget(remaining);
}

void MarkerManager::clearTargets()
{
    m_sets.clear();
    m_marked.clear();
}

void MarkerManager::refreshTargets()
{
    for (const auto &set : m_sets)
        set->reposition();
}
