#include "designer/DesignRegister.h"

#include "designer/Cover.h"
#include "designer/DesignControls.h"
#include "designer/DesignStage.h"

#include <QWidget>

Cover *DesignRegister::coverOf(const QWidget *control) const
{
    return m_coverOf.value(control);
}

void DesignRegister::coverAll()
{
    if (m_stage)
        coverControl(m_stage);
}

void DesignRegister::uncoverAll()
{
    const QList<Cover *> covers = m_covers;
    m_covers.clear();
    m_coverOf.clear();
    m_lastCover = nullptr;
    for (Cover *cover : covers)
        delete cover;
}

void DesignRegister::coverControl(QWidget *control)
{
    m_lastCover = nullptr;
    coverTree(control);
}

void DesignRegister::coverTree(QWidget *control)
{
    const CoverAnswer answer = askCover(control);
    if (answer == caSkip)
        return;
    if (answer == caCover && !coverOf(control)) {
        auto *cover = new Cover(control, this);
        m_covers.append(cover);
        m_coverOf.insert(control, cover);
        m_lastCover = cover;
        watch(control);
    }
    const ComponentOwner *owner = m_stage ? m_stage->owner() : m_owner;
    const QObjectList children = control->children();
    for (auto child = children.crbegin(); child != children.crend(); ++child) {
        auto *widget = qobject_cast<QWidget *>(*child);
        if (!widget || widget->isWindow() || DesignControls::isDesignerPart(widget))
            continue;
        if (owner && DesignControls::ownerOf(widget) == owner) {
            if (DesignControls::isWindowed(widget))
                coverTree(widget);
        } else if (m_lastCover) {
            m_lastCover->makeTransparent(widget);
        }
    }
}

void DesignRegister::coverRecreated(Cover *cover)
{
    if (!cover)
        return;
    if (cover->isReleased() || m_coverOf.value(cover->identity()) != cover) {
        delete cover;
        return;
    }
    cover->reattach();
}
