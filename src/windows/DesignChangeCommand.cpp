#include "windows/DesignChangeCommand.h"

#include "windows/ReportWindow.h"

DesignChangeCommand::DesignChangeCommand(ReportWindow *window, const QString &text,
                                         DesignChange change)
    : QUndoCommand(text), m_window(window), m_change(std::move(change))
{
}

void DesignChangeCommand::undo()
{
    m_window->replayChange(m_change, false);
}

void DesignChangeCommand::redo()
{
    if (m_done) {
        m_done = false;
        return;
    }
    m_window->replayChange(m_change, true);
}
