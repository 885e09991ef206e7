// The undo history of a report window: every change of the design, as
// the stage announces it, becomes one step of the window's undo stack.

#include "windows/ReportWindow.h"

#include "windows/DesignSnapshotCommand.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"

#include "model/ClassRegistry.h"
#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"

#include <QCoreApplication>
#include <QUndoStack>

DesignState ReportWindow::currentDesignState() const
{
    DesignState state{designBytes(), {}};
    if (const SelectionList *selection = m_register->targets()) {
        for (const QWidget *control : selection->items()) {
            if (control)
                state.selection.append(control->objectName());
        }
    }
    return state;
}

void ReportWindow::beginChange()
{
    m_stateBeforeChange = currentDesignState();
}

void ReportWindow::endChange(const QString &text)
{
    // Created and pasted components get their sizes from deferred
    // notifications: the step holds the design as they leave it.
    QCoreApplication::sendPostedEvents(m_reportStage);
    DesignState after = currentDesignState();
    if (after.design != m_stateBeforeChange.design)
        m_undoStack->push(new DesignSnapshotCommand(this, text, std::move(m_stateBeforeChange),
                                                    std::move(after)));
    m_stateBeforeChange = {};
    updateCaption();
}

void ReportWindow::restoreDesign(const DesignState &state)
{
    const bool wasDesigning = designing();
    switchOff();
    const ClassRegistry &registry = m_reportStage->classRegistry();
    const QList<QWidget *> controls = orderedChildren(m_reportStage, registry);
    for (auto control = controls.crbegin(); control != controls.crend(); ++control)
        delete *control;
    ReaderHooks hooks;
    hooks.onError = [](const QString &) {
        return true;
    };
    try {
        ObjectStream::readStreams(state.design, *m_owner, m_reportStage, registry, hooks);
    } catch (const StreamError &) {
        // The step was written by this window; what could be read stays.
    }
    ensureOnePage();
    fitStageToPage();
    if (wasDesigning)
        switchOn();
    QList<QWidget *> selected;
    for (const QString &name : state.selection) {
        if (auto *control = qobject_cast<QWidget *>(m_owner->findComponent(name)))
            selected.append(control);
    }
    if (!selected.isEmpty() && designing()) {
        SelectionList *selection = m_register->ensureSelectionList();
        selection->clearTargets();
        for (QWidget *control : std::as_const(selected))
            selection->addTarget(control);
        selection->refreshTargets();
    }
    updateCaption();
}

void ReportWindow::updateCaption()
{
    // The design differs from its file, or the source was edited, while the
    // caption ends in "*".
    setWindowTitle(modified() ? m_designFileName + QStringLiteral("*") : m_designFileName);
}
