#include "designer/DesignRegister.h"

#include "designer/DesignChangeRecorder.h"
#include "designer/DesignControls.h"
#include "designer/DesignStage.h"
#include "designer/InspectorBase.h"

#include <QWidget>

// Keyboard moves and sizes, select all, and alignment: each is one change.

bool DesignRegister::nudgeSelection(int stepsX, int stepsY, bool resize)
{
    const QList<QWidget *> controls = selectedControls();
    if (controls.isEmpty() || !sameParent() || !m_stage)
        return false;
    DesignChangeScope change(m_stage,
                             describe(resize ? QStringLiteral("Resize") : QStringLiteral("Move")));
    const int dx = stepsX * std::max(1, m_moveWidth);
    const int dy = stepsY * std::max(1, m_moveHeight);
    for (QWidget *control : controls) {
        if (!m_stage->policy().canMove(control))
            continue;
        QRect bounds = control->geometry();
        if (resize) {
            bounds.setWidth(std::max(std::max(1, m_moveWidth), bounds.width() + dx));
            bounds.setHeight(std::max(std::max(1, m_moveHeight), bounds.height() + dy));
        } else {
            bounds.translate(dx, dy);
        }
        DesignControls::setBounds(control, bounds);
    }
    m_targets->refreshTargets();
    if (m_collector)
        m_collector->recollect();
    return true;
}

void DesignRegister::selectAll()
{
    if (!m_stage)
        return;
    SelectionList *selection = ensureSelectionList();
    selection->clearTargets();
    for (QWidget *container : DesignControls::childControls(m_stage)) {
        for (QWidget *control : container->findChildren<QWidget *>()) {
            if (DesignControls::ownerOf(control) == m_owner
                && !DesignControls::isDesignerPart(control)
                && askSelect(this, control).testFlag(saSelect))
                selection->addTarget(control);
        }
    }
    selection->refreshTargets();
}

bool DesignRegister::alignSelection(Alignment alignment)
{
    const QList<QWidget *> controls = selectedControls();
    if (controls.size() < 2 || !sameParent() || !m_stage)
        return false;
    static const char *const names[] = {"Align Left Edges", "Align Right Edges",
                                        "Align Tops",       "Align Bottoms",
                                        "Make Same Width",  "Make Same Height"};
    DesignChangeScope change(m_stage, QString::fromLatin1(names[int(alignment)]));
    const QRect reference = controls.constFirst()->geometry();
    for (QWidget *control : controls.mid(1)) {
        QRect bounds = control->geometry();
        switch (alignment) {
        case Alignment::Left:
            bounds.moveLeft(reference.left());
            break;
        case Alignment::Right:
            bounds.moveRight(reference.right());
            break;
        case Alignment::Top:
            bounds.moveTop(reference.top());
            break;
        case Alignment::Bottom:
            bounds.moveBottom(reference.bottom());
            break;
        case Alignment::SameWidth:
            bounds.setWidth(reference.width());
            break;
        case Alignment::SameHeight:
            bounds.setHeight(reference.height());
            break;
        }
        if (bounds.topLeft() != control->pos() && !m_stage->policy().canMove(control))
            continue;
        DesignControls::setBounds(control, bounds);
    }
    m_targets->refreshTargets();
    if (m_collector)
        m_collector->recollect();
    return true;
}
