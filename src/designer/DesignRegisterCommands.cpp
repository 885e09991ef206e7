#include "designer/DesignRegister.h"

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
        if (control)
            selected.append(control);
    }
    DesignClipboard::put(ObjectStream::writeBlock(selected, *m_owner, m_stage->classRegistry()));
}

void DesignRegister::cutSelected()
{
    if (!canCopy())
        return;
    copySelected();
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
    m_targets->clearTargets();
    const std::optional<QByteArray> block = DesignClipboard::take();
    if (!block)
        return;
    const QList<QWidget *> pasted = ObjectStream::readStreams(
        *block, *m_owner, target, m_stage->classRegistry(), creationHooks());
    for (QWidget *control : pasted)
        placePasted(control);
    m_targets->refreshTargets();
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
    for (qsizetype i = guarded.size() - 1; i >= 0; --i)
        delete guarded.at(i).data();
    m_targets->refreshTargets();
}
