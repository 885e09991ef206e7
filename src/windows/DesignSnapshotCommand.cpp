#include "windows/DesignSnapshotCommand.h"

#include "windows/ReportWindow.h"

DesignSnapshotCommand::DesignSnapshotCommand(ReportWindow *window, const QString &text,
                                             DesignState before, DesignState after)
    : QUndoCommand(text), m_window(window), m_before(std::move(before)), m_after(std::move(after))
{
}

void DesignSnapshotCommand::undo()
{
    m_window->restoreDesign(m_before);
}

void DesignSnapshotCommand::redo()
{
    if (m_done) {
        m_done = false;
        return;
    }
    m_window->restoreDesign(m_after);
}
