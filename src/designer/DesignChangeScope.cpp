#include "designer/DesignChangeRecorder.h"

#include "designer/DesignStage.h"

DesignChangeScope::DesignChangeScope(DesignStage *stage, QString text)
    : m_stage(stage), m_text(std::move(text))
{
    if (m_stage)
        m_stage->beginChange();
}

DesignChangeScope::~DesignChangeScope()
{
    if (m_stage)
        m_stage->endChange(m_text);
}
