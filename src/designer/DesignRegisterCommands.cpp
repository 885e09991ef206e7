#include "designer/DesignRegister.h"

#include "designer/DesignChangeRecorder.h"
#include "designer/DesignClipboard.h"
#include "designer/DesignControls.h"
#include "designer/DesignMessages.h"
#include "designer/DesignStage.h"

#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"

#include <algorithm>

namespace {

int depthBelow(const QWidget *control, const QWidget *stage)
{
    int depth = 0;
    for (const QWidget *parent = control->parentWidget(); parent && parent != stage;
         parent = parent->parentWidget())
        ++depth;
    return depth;
}

} // namespace

bool DesignRegister::canCopy() const
{
    return m_targets && m_targets->count() > 0 && sameParent();
}

void DesignRegister::copySelected()
{
    if (!canCopy() || !m_owner || !m_stage)
        return;
    QList<QWidget *> selected;
    for (QWidget *control : m_targets->items()) {
        if (control && m_stage->policy().canCopy(control))
            selected.append(control);
    }
    if (selected.isEmpty())
        return;
    DesignClipboard::put(ObjectStream::writeBlock(selected, *m_owner, m_stage->classRegistry()));
}

void DesignRegister::cutSelected()
{
    if (!canCopy())
        return;
    DesignChangeScope change(m_stage, describe(QStringLiteral("Cut")));
    copySelected();
    // What may not be copied is not cut either: it would be lost.
    if (m_stage) {
        const QList<QWidget *> selected = m_targets->items();
        for (QWidget *control : selected) {
            if (control && !m_stage->policy().canCopy(control))
                m_targets->removeTarget(m_targets->indexOf(control));
        }
    }
    deleteSelected();
}

bool DesignRegister::canPaste() const
{
    if (!m_targets || m_targets->count() > 1)
        return false;
    if (m_targets->count() == 1 && !DesignControls::acceptsChildControls(m_targets->at(0)))
        return false;
    return DesignClipboard::offersFormat();
}

QWidget *DesignRegister::pasteParent() const
{
    return m_stage.data();
}

void DesignRegister::pasteFromClipboard()
{
    if (!canPaste())
        return;
    QWidget *target = m_targets->count() == 1 ? m_targets->at(0) : pasteParent();
    if (!target || !m_owner || !m_stage)
        return;
    DesignChangeScope change(m_stage, QStringLiteral("Paste"));
    m_targets->clearTargets();
    const std::optional<QByteArray> block = DesignClipboard::take();
    if (!block)
        return;
    const QObjectList before = target->children();
    QList<QWidget *> pasted;
    try {
        pasted = ObjectStream::readStreams(*block, *m_owner, target, m_stage->classRegistry(),
                                           creationHooks());
    } catch (const StreamError &) {
        // What was read before the damage stays, as long as it may be pasted.
        for (QObject *child : target->children()) {
            auto *control = qobject_cast<QWidget *>(child);
            if (control && !before.contains(child) && !m_stage->policy().canPaste(control))
                delete control;
        }
        throw;
    }
    QList<QWidget *> kept;
    for (QWidget *control : pasted) {
        if (m_stage->policy().canPaste(control))
            kept.append(control);
        else
            delete control;
    }
    stepAsideFrom(kept, before);
    for (QWidget *control : kept)
        placePasted(control);
    m_targets->refreshTargets();
    change.setText(describe(QStringLiteral("Paste")));
}

void DesignRegister::stepAsideFrom(const QList<QWidget *> &pasted, const QObjectList &siblings)
{
    // A copy pasted where it was copied from would hide its original: it
    // moves by grid steps until no pasted control lies on a sibling of its
    // class. The bound only matters for crafted clipboard data.
    const auto liesOnSibling = [&siblings](const QWidget *control) {
        return std::any_of(siblings.begin(), siblings.end(), [control](const QObject *sibling) {
            const auto *widget = qobject_cast<const QWidget *>(sibling);
            return widget && widget->metaObject() == control->metaObject()
                   && widget->pos() == control->pos();
        });
    };
    constexpr int MaxSteps = 100;
    for (int step = 0; step < MaxSteps; ++step) {
        if (std::none_of(pasted.begin(), pasted.end(), liesOnSibling))
            return;
        for (QWidget *control : pasted) {
            DesignControls::setLeft(control, control->x() + m_moveWidth);
            DesignControls::setTop(control, control->y() + m_moveHeight);
        }
    }
}

void DesignRegister::placePasted(QWidget *control)
{
    if (DesignControls::isWindowed(control))
        coverControl(control);
    if (const QWidget *parent = control->parentWidget()) {
        if (control->x() > parent->width())
            DesignControls::setLeft(control, parent->width() - control->width());
        if (control->x() < 0)
            DesignControls::setLeft(control, 0);
        if (control->y() > parent->height())
            DesignControls::setTop(control, parent->height() - control->height());
        if (control->y() < 0)
            DesignControls::setTop(control, 0);
    }
    m_targets->addTarget(control);
}

void DesignRegister::deleteSelected()
{
    if (!m_targets)
        return;
    DesignChangeScope change(m_stage, describe(QStringLiteral("Delete")));
    QList<QWidget *> work;
    for (QWidget *control : m_targets->items()) {
        if (control)
            work.append(control);
    }
    m_targets->clearTargets();
    if (m_stage) {
        for (qsizetype i = work.size() - 1; i >= 0; --i) {
            if (!m_stage->policy().canDelete(work.at(i)))
                work.removeAt(i);
        }
    }
    const QWidget *stage = m_stage.data();
    std::stable_sort(work.begin(), work.end(), [stage](const QWidget *a, const QWidget *b) {
        return depthBelow(a, stage) < depthBelow(b, stage);
    });
    // Deepest first, so that no control is freed after its parent took it along.
    QList<QPointer<QWidget>> guarded(work.begin(), work.end());
    for (qsizetype i = guarded.size() - 1; i >= 0; --i) {
        QWidget *control = guarded.at(i).data();
        if (control && m_stage)
            m_stage->componentLeaving(control);
        delete control;
    }
    m_targets->refreshTargets();
}
