#include "designer/DsnInspectorBase.h"

#include "designer/DsnMessages.h"

#include <QWidget>

TPropertyCollector::~TPropertyCollector()
{
    Bind(nullptr);
}

void TPropertyCollector::Bind(TCustomInspector *inspector)
{
    if (m_inspector && m_inspector->m_collector == this)
        m_inspector->m_collector = nullptr;
    m_inspector = inspector;
    if (m_inspector)
        m_inspector->m_collector = this;
}

TCustomInspector::TCustomInspector(QObject *parent) : QObject(parent) {}

TCustomInspector::~TCustomInspector()
{
    if (m_collector)
        m_collector->Bind(nullptr);
}

void TCustomInspector::SetDesigning(bool value)
{
    if (m_designing == value)
        return;
    m_designing = value;
    if (value)
        OpenWindow();
    else
        CloseWindow();
}

void TCustomInspector::SelectControl(QWidget *control)
{
    DsnMessage::sendSelectOne(control);
}

void TCustomInspector::setStageWindow(QWidget *stage)
{
    m_stage = stage;
}

QWidget *TCustomInspector::stageWindow() const
{
    return m_stage.data();
}

void TCustomInspector::requestSelectionRefresh()
{
    DsnMessage::postRefreshSelection(m_stage.data());
}
