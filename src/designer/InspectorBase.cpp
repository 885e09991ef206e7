#include "designer/InspectorBase.h"

#include "designer/DesignMessages.h"

#include <QWidget>

PropertyCollector::~PropertyCollector()
{
    bind(nullptr);
}

void PropertyCollector::bind(InspectorBase *inspector)
{
    if (m_inspector && m_inspector->m_collector == this)
        m_inspector->m_collector = nullptr;
    m_inspector = inspector;
    if (m_inspector)
        m_inspector->m_collector = this;
}

InspectorBase::InspectorBase(QObject *parent) : QObject(parent) {}

InspectorBase::~InspectorBase()
{
    if (m_collector)
        m_collector->bind(nullptr);
}

void InspectorBase::setDesigning(bool value)
{
    if (m_designing == value)
        return;
    m_designing = value;
    if (value)
        openWindow();
    else
        closeWindow();
}

void InspectorBase::selectControl(QWidget *control)
{
    DesignMessage::sendSelectOne(control);
}

void InspectorBase::setStageWindow(QWidget *stage)
{
    m_stage = stage;
}

QWidget *InspectorBase::stageWindow() const
{
    return m_stage.data();
}

void InspectorBase::requestSelectionRefresh()
{
    DesignMessage::postRefreshSelection(m_stage.data());
}
