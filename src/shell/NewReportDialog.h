#pragma once

#include <QDialog>

class QLineEdit;

// The "New Report" dialog: asks for the name of a new report.
class NewReportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NewReportDialog(QWidget *parent = nullptr);

    QLineEdit *nameEdit() const { return m_edit; }
    QString reportName() const;

private:
    QLineEdit *m_edit;
};

// "Name cannot to be Empty."
QString emptyReportNameMessage();

// The design file name of a new report typed as name: upper case, with
// ".kfx" appended unless the name already holds ".KFX". Empty when the name
// is empty or blank.
QString newReportFileName(const QString &name);
