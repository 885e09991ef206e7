#pragma once

#include "shell/Settings.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QTabWidget;

// The setup dialog: edits the programs, the Ingres user and the FTP account
// in "KFX.ini". Created for each use; Ok writes every field, Cancel nothing.
class SetupDialog : public QDialog
{
    Q_OBJECT

public:
    // Asks for a program file; returns its full path, or an empty text
    // when the user cancels.
    using ProgramChooser = std::function<QString(QWidget *parent, const QString &current)>;

    explicit SetupDialog(QWidget *parent = nullptr);

    void setProgramChooser(ProgramChooser chooser) { m_chooseProgram = std::move(chooser); }

private:
    struct Field
    {
        QLineEdit *edit;
        SettingKey key;
        QString defaultValue;
    };

    QWidget *createGeneralPage();
    QWidget *createFtpPage();
    QWidget *createButtonStrip();
    QWidget *browseButton(const QString &name, QLineEdit *edit);
    QLineEdit *lineEdit(const QString &name);

    void initialize();
    void acceptSettings();
    void browse(QLineEdit *edit);

    QTabWidget *m_pages = nullptr;
    QLineEdit *terminalProgramEdit = nullptr;
    QLineEdit *editorEdit = nullptr;
    QLineEdit *reportProgramEdit = nullptr;
    QLineEdit *reportUserEdit = nullptr;
    QLineEdit *userEdit = nullptr;
    QLineEdit *passwordEdit = nullptr;
    QLineEdit *hostEdit = nullptr;
    QLineEdit *remoteDirectoryEdit = nullptr;
    QList<Field> m_fields; // in the order Ok writes them
    ProgramChooser m_chooseProgram;
};
