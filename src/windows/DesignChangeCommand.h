#pragma once

#include "windows/DesignChange.h"

#include <QUndoCommand>

class ReportWindow;

// One change of a design as a step of the window's history: undo takes
// back what the change did, redo does it again. The change has already
// happened when the command is pushed, so its first redo does nothing.
class DesignChangeCommand : public QUndoCommand
{
public:
    DesignChangeCommand(ReportWindow *window, const QString &text, DesignChange change);

    void undo() override;
    void redo() override;

private:
    ReportWindow *m_window;
    DesignChange m_change;
    bool m_done = true;
};
