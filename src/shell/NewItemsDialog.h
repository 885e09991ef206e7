#pragma once

#include <QDialog>

class QToolButton;

// The "New Items" window: the kinds of report that can be started. Only
// the empty report is available; choosing it accepts the window.
class NewItemsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NewItemsDialog(QWidget *parent = nullptr);

    QToolButton *emptyReportButton() const { return m_empty; }

protected:
    // Return opens the kind of report whose button has the focus.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QToolButton *kindButton(const QString &name, const QString &caption, const QIcon &icon,
                            bool available);

    QToolButton *m_empty = nullptr;
};
