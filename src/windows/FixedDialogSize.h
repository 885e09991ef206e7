#pragma once

#include <QSize>

class QWidget;

// Gives a dialog a size the user cannot change, and a title bar to match:
// a close box and no maximise or minimise button, which would offer a
// size the dialog cannot take.
void setFixedDialogSize(QWidget *dialog, const QSize &size);
