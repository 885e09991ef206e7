// The undo history of a report window: every change of the design, as
// the stage announces it, becomes one step of the window's undo stack.
// A step keeps only what its change touched, so that steps on a large
// design stay small and quick.

#include "windows/ReportWindow.h"

#include "windows/DesignChangeCapture.h"
#include "windows/DesignChangeCommand.h"

#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"

#include "model/ClassRegistry.h"
#include "model/ComponentOwner.h"
#include "model/ComponentState.h"
#include "model/ObjectStream.h"

#include <QCoreApplication>
#include <QUndoStack>

#include <iterator>

QList<QWidget *> ReportWindow::selectedComponents() const
{
    QList<QWidget *> selected;
    if (const SelectionList *selection = m_register->targets()) {
        for (QWidget *control : selection->items()) {
            if (control)
                selected.append(control);
        }
    }
    return selected;
}

void ReportWindow::beginChange()
{
    m_capture = std::make_unique<DesignChangeCapture>(m_reportStage, *m_owner,
                                                      m_reportStage->classRegistry());
    // Bands restack whenever one changes, comes or goes: the page and
    // what it holds directly are always taken, which is little.
    if (m_page) {
        m_capture->include(m_page, false);
        for (QObject *child : m_page->children()) {
            if (child->isWidgetType())
                m_capture->include(static_cast<QWidget *>(child), false);
        }
    }
    // What the change acts on is the selection, with what it holds.
    const QList<QWidget *> selected = selectedComponents();
    for (QWidget *control : selected)
        m_capture->include(control, true);
    m_capture->setSelectionBefore(selected);
}

void ReportWindow::componentLeaving(QWidget *component)
{
    if (m_capture)
        m_capture->leaving(component);
}

void ReportWindow::componentMade(QWidget *component)
{
    if (m_capture)
        m_capture->joined(component);
}

void ReportWindow::endChange(const QString &text)
{
    // Created and pasted components get their sizes from deferred
    // notifications: the step holds the design as they leave it.
    QCoreApplication::sendPostedEvents(m_reportStage);
    if (!m_capture)
        return;
    DesignChange change = m_capture->finish(selectedComponents());
    m_capture.reset();
    if (!change.isEmpty())
        m_undoStack->push(new DesignChangeCommand(this, text, std::move(change)));
    updateCaption();
}

void ReportWindow::freeComponent(ComponentPaths &paths, const ComponentPath &path)
{
    QWidget *component = paths.find(path);
    if (!component || component == m_reportStage)
        return;
    paths.removing(path);
    delete component;
}

namespace {

// Whether b goes right after a in the same parent.
bool follows(const ComponentPath &a, const ComponentPath &b)
{
    return a.size() == b.size() && !a.isEmpty() && a.first(a.size() - 1) == b.first(b.size() - 1)
           && b.last() == a.last() + 1;
}

} // namespace

template<class Placed>
void ReportWindow::insertComponents(ComponentPaths &paths, Placed first, Placed last)
{
    const ClassRegistry &registry = m_reportStage->classRegistry();
    ReaderHooks hooks;
    hooks.onError = [](const QString &) {
        return true;
    };
    while (first != last) {
        // Neighbours in one parent are read as one block.
        QByteArray block;
        Placed end = first;
        do {
            block += end->block.chopped(1);
            ++end;
        } while (end != last && follows(std::prev(end)->path, end->path));
        block += '\0';
        const ComponentPath &path = first->path;
        QWidget *parent = path.isEmpty() ? nullptr : paths.find(path.first(path.size() - 1));
        int index = path.isEmpty() ? 0 : path.last();
        first = end;
        if (!parent)
            continue;
        paths.noteChildren(parent);
        const qsizetype childCount = parent->children().size();
        QList<QWidget *> made;
        try {
            made = ObjectStream::readStreams(block, *m_owner, parent, registry, hooks);
        } catch (const StreamError &) {
            // The step was written by this window; what could be read stays.
            for (QObject *child : parent->children().sliced(childCount)) {
                if (child->isWidgetType() && m_owner->ownsComponent(child))
                    made.append(static_cast<QWidget *>(child));
            }
        }
        for (QWidget *component : std::as_const(made)) {
            paths.placeAt(parent, component, index++);
            if (designing())
                m_register->coverControl(component);
        }
    }
}

void ReportWindow::selectPaths(ComponentPaths &paths, const QList<ComponentPath> &selection)
{
    if (!designing())
        return;
    QList<QWidget *> selected;
    for (const ComponentPath &path : selection) {
        QWidget *component = paths.find(path);
        if (component && component != m_reportStage)
            selected.append(component);
    }
    SelectionList *targets = m_register->ensureSelectionList();
    targets->clearTargets();
    for (QWidget *control : std::as_const(selected))
        targets->addTarget(control);
    targets->refreshTargets();
}

void ReportWindow::replayChange(const DesignChange &change, bool forward)
{
    if (SelectionList *selection = m_register->targets())
        selection->clearTargets();
    ComponentPaths paths(m_reportStage, *m_owner);
    const ClassRegistry &registry = m_reportStage->classRegistry();
    const auto restore = [&](const ComponentPath &path, const QByteArray &from,
                             const QByteArray &to) {
        QWidget *component = paths.find(path);
        if (!component || component == m_reportStage)
            return;
        try {
            ObjectStream::restoreAlone(component, from, to, registry);
            // A value whose setter moved another one back gets set again.
            const QByteArray now = ObjectStream::writeAlone(component, registry);
            if (now != to)
                ObjectStream::restoreAlone(component, now, to, registry);
        } catch (const StreamError &) {
            // The step was written by this window; what could be set stays.
        }
    };
    if (forward) {
        for (const PlacedComponent &gone : change.deleted)
            freeComponent(paths, gone.path);
        insertComponents(paths, change.created.cbegin(), change.created.cend());
        for (const EditedComponent &edit : change.edited)
            restore(edit.pathAfter, edit.before, edit.after);
    } else {
        for (auto made = change.created.crbegin(); made != change.created.crend(); ++made)
            freeComponent(paths, made->path);
        insertComponents(paths, change.deleted.crbegin(), change.deleted.crend());
        for (const EditedComponent &edit : change.edited)
            restore(edit.pathBefore, edit.after, edit.before);
    }
    ensureOnePage();
    fitStageToPage();
    selectPaths(paths, forward ? change.selectionAfter : change.selectionBefore);
    updateCaption();
}

void ReportWindow::updateCaption()
{
    // The history, an edited source or an imported design not yet written
    // says the window differs from its files, without writing the design out.
    const bool changed = !m_undoStack->isClean() || m_writtenDesign.isEmpty()
                         || (m_sourceEditor && m_sourceEditor->isModified());
    setWindowTitle(changed ? m_designFileName + QStringLiteral("*") : m_designFileName);
}
