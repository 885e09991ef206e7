#include "designer/DsnUnit.h"

#include "designer/DsnControls.h"
#include "designer/DsnCover.h"
#include "designer/DsnStage.h"

#include <QWidget>

TDsnCtrl *TDsnRegister::CreateCover(QWidget *control)
{
    return new TDsnCtrl(control, this);
}

TDsnCtrl *TDsnRegister::coverOf(const QWidget *control) const
{
    for (TDsnCtrl *cover : m_covers) {
        if (cover->identity() == control)
            return cover;
    }
    return nullptr;
}

void TDsnRegister::CoverAll()
{
    if (m_stage)
        CoverControl(m_stage);
}

void TDsnRegister::UncoverAll()
{
    const QList<TDsnCtrl *> covers = m_covers;
    m_covers.clear();
    m_lastCover = nullptr;
    for (TDsnCtrl *cover : covers)
        delete cover;
}

void TDsnRegister::CoverControl(QWidget *control)
{
    m_lastCover = nullptr;
    coverTree(control);
}

void TDsnRegister::coverTree(QWidget *control)
{
    const TCoverAccept answer = askCover(m_stage, control);
    if (answer == caSkip)
        return;
    if (answer == caCover && !coverOf(control)) {
        TDsnCtrl *cover = CreateCover(control);
        m_covers.append(cover);
        m_lastCover = cover;
        watch(control);
    }
    const ComponentOwner *owner = m_stage ? m_stage->owner() : m_owner;
    const QObjectList children = control->children();
    for (auto child = children.crbegin(); child != children.crend(); ++child) {
        auto *widget = qobject_cast<QWidget *>(*child);
        if (!widget || widget->isWindow() || DsnControls::isDesignerPart(widget))
            continue;
        if (owner && DsnControls::ownerOf(widget) == owner) {
            if (DsnControls::isWindowed(widget))
                coverTree(widget);
        } else if (m_lastCover) {
            m_lastCover->makeTransparent(widget);
        }
    }
}

void TDsnRegister::coverRecreated(TDsnCtrl *cover)
{
    if (!cover)
        return;
    if (cover->isReleased() || !m_covers.contains(cover)) {
        delete cover;
        return;
    }
    cover->reattach();
}
