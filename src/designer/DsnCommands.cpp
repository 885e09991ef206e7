#include "designer/DsnUnit.h"

#include "designer/DsnClipboard.h"
#include "designer/DsnControls.h"
#include "designer/DsnMessages.h"
#include "designer/DsnStage.h"

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

bool TDsnRegister::CanCopy() const
{
    return m_targets && m_targets->Count() > 0 && SameParent();
}

void TDsnRegister::CopySelected()
{
    if (!CanCopy() || !m_owner || !m_stage)
        return;
    QList<QWidget *> selected;
    for (QWidget *control : m_targets->items()) {
        if (control)
            selected.append(control);
    }
    DsnClipboard::put(ObjectStream::writeBlock(selected, *m_owner, m_stage->classRegistry()));
}

void TDsnRegister::CutSelected()
{
    if (!CanCopy())
        return;
    CopySelected();
    DeleteSelected();
}

bool TDsnRegister::CanPaste() const
{
    if (!m_targets || m_targets->Count() > 1)
        return false;
    if (m_targets->Count() == 1 && !DsnControls::acceptsChildControls(m_targets->Items(0)))
        return false;
    return DsnClipboard::offersFormat();
}

QWidget *TDsnRegister::PasteParent() const
{
    return m_stage.data();
}

void TDsnRegister::PasteFromClipboard()
{
    if (!CanPaste())
        return;
    QWidget *target = m_targets->Count() == 1 ? m_targets->Items(0) : PasteParent();
    if (!target || !m_owner || !m_stage)
        return;
    m_targets->Clear();
    const std::optional<QByteArray> block = DsnClipboard::take();
    if (!block)
        return;
    const QList<QWidget *> pasted =
        ObjectStream::readStreams(*block, *m_owner, target, m_stage->classRegistry(), creationHooks());
    for (QWidget *control : pasted)
        placePasted(control);
    m_targets->Update();
}

void TDsnRegister::placePasted(QWidget *control)
{
    if (DsnControls::isWindowed(control))
        CoverControl(control);
    if (const QWidget *parent = control->parentWidget()) {
        if (control->x() > parent->width())
            DsnControls::setLeft(control, parent->width() - control->width());
        if (control->x() < 0)
            DsnControls::setLeft(control, 0);
        if (control->y() > parent->height())
            DsnControls::setTop(control, parent->height() - control->height());
        if (control->y() < 0)
            DsnControls::setTop(control, 0);
    }
    m_targets->Add(control);
}

void TDsnRegister::DeleteSelected()
{
    if (!m_targets)
        return;
    QList<QWidget *> work;
    for (QWidget *control : m_targets->items()) {
        if (control)
            work.append(control);
    }
    m_targets->Clear();
    if (m_stage && m_stage->OnDeleteQuery) {
        for (qsizetype i = work.size() - 1; i >= 0; --i) {
            bool canDelete = true;
            m_stage->OnDeleteQuery(m_stage, work.at(i), canDelete);
            if (!canDelete)
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
    m_targets->Update();
}
