#include "shell/SetupDialog.h"

#include "shell/DialogButtons.h"

#include "windows/FixedDialogSize.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Shows each character of the password as '#'.
class HashPasswordStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '#';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QString askForProgram(QWidget *parent, const QString &current)
{
    const QString applications = QStringLiteral("Application (*.exe)");
    const QString anyFile = QStringLiteral("All files (*)");
    // Programs here rarely end in ".exe": offer every file first.
    QString selected = anyFile;
#ifdef Q_OS_WIN
    selected = applications;
#endif
    const QString folder =
        QFileInfo(current).isAbsolute() ? QFileInfo(current).absolutePath() : QDir::currentPath();
    return QFileDialog::getOpenFileName(parent, QString(), folder,
                                        applications + QStringLiteral(";;") + anyFile, &selected);
}

QLabel *label(const QString &text, QWidget *buddy)
{
    auto *result = new QLabel(text);
    result->setBuddy(buddy);
    return result;
}

} // namespace

SetupDialog::SetupDialog(QWidget *parent) : QDialog(parent), m_chooseProgram(askForProgram)
{
    setObjectName(QStringLiteral("UstawieniaForm"));
    setWindowTitle(QStringLiteral("Setup"));

    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addTab(createGeneralPage(), QStringLiteral("General"));
    m_pages->addTab(createFtpPage(), QStringLiteral("FTP"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(createButtonStrip());

    m_fields = {
        {userEdit, SettingKeys::FtpUser, QString::fromLatin1(Settings::DefaultFtpUser)},
        {passwordEdit, SettingKeys::FtpPass, QString()},
        {hostEdit, SettingKeys::FtpHost, QString::fromLatin1(Settings::DefaultFtpHost)},
        {remoteDirectoryEdit, SettingKeys::FtpRemoteDirectory,
         QString::fromLatin1(Settings::DefaultRemoteDirectory)},
        {terminalProgramEdit, SettingKeys::TelnetProg,
         QString::fromLatin1(Settings::DefaultTelnetProgram)},
        {editorEdit, SettingKeys::TxtEditProg,
         QString::fromLatin1(Settings::DefaultTextEditorProgram)},
        {reportProgramEdit, SettingKeys::ReportProgram,
         QString::fromLatin1(Settings::DefaultReportProgram)},
        {reportUserEdit, SettingKeys::ReportUser, QString::fromLatin1(Settings::DefaultReportUser)},
    };
    initialize();
    setFixedDialogSize(this, sizeHint().expandedTo(QSize(341, 203)));
}

QLineEdit *SetupDialog::lineEdit(const QString &name)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(name);
    return edit;
}

QWidget *SetupDialog::browseButton(const QString &name, QLineEdit *edit)
{
    auto *button = new QPushButton(QStringLiteral("Browse"));
    button->setObjectName(name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, edit] { browse(edit); });
    return button;
}

QWidget *SetupDialog::createGeneralPage()
{
    terminalProgramEdit = lineEdit(QStringLiteral("TelnetProgEdit"));
    editorEdit = lineEdit(QStringLiteral("EditorEdit"));
    reportProgramEdit = lineEdit(QStringLiteral("ReportProgEdit"));
    reportUserEdit = lineEdit(QStringLiteral("RepUserEdit"));

    auto *report = new QGroupBox(QStringLiteral("Report"));
    report->setObjectName(QStringLiteral("ReportGroup"));
    auto *reportGrid = new QGridLayout(report);
    reportGrid->addWidget(label(QStringLiteral("Report Ingres Program:"), reportProgramEdit), 0, 0);
    reportGrid->addWidget(reportProgramEdit, 0, 1);
    reportGrid->addWidget(browseButton(QStringLiteral("BrowseButton3"), reportProgramEdit), 0, 2);
    reportGrid->addWidget(label(QStringLiteral("User for REPORT Ingres Program:"), reportUserEdit),
                          1, 0);
    reportGrid->addWidget(reportUserEdit, 1, 1, 1, 2);

    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("GeneralSheet"));
    auto *grid = new QGridLayout(page);
    grid->addWidget(label(QStringLiteral("Telnet Program:"), terminalProgramEdit), 0, 0);
    grid->addWidget(terminalProgramEdit, 0, 1);
    grid->addWidget(browseButton(QStringLiteral("BrowseButton1"), terminalProgramEdit), 0, 2);
    grid->addWidget(label(QStringLiteral("Edit Program:"), editorEdit), 1, 0);
    grid->addWidget(editorEdit, 1, 1);
    grid->addWidget(browseButton(QStringLiteral("BrowseButton2"), editorEdit), 1, 2);
    grid->addWidget(report, 2, 0, 1, 3);
    return page;
}

QWidget *SetupDialog::createFtpPage()
{
    userEdit = lineEdit(QStringLiteral("UserEdit"));
    passwordEdit = lineEdit(QStringLiteral("PassEdit"));
    hostEdit = lineEdit(QStringLiteral("HostEdit"));
    remoteDirectoryEdit = lineEdit(QStringLiteral("RemDirEdit"));
    auto *style = new HashPasswordStyle;
    style->setParent(this);
    passwordEdit->setStyle(style);
    passwordEdit->setEchoMode(QLineEdit::Password);

    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("FtpSheet"));
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("User:"), userEdit);
    form->addRow(QStringLiteral("Password:"), passwordEdit);
    form->addRow(QStringLiteral("Host:"), hostEdit);
    form->addRow(QStringLiteral("Remote Directory:"), remoteDirectoryEdit);
    return page;
}

QWidget *SetupDialog::createButtonStrip()
{
    const DialogButtons buttons = createOkCancelButtons();
    connect(buttons.ok, &QPushButton::clicked, this, &SetupDialog::acceptSettings);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    return buttons.box;
}

void SetupDialog::initialize()
{
    for (const Field &field : std::as_const(m_fields))
        field.edit->setText(Settings::read(field.key, field.defaultValue));
    m_pages->setCurrentIndex(0);
}

void SetupDialog::acceptSettings()
{
    for (const Field &field : std::as_const(m_fields)) {
        QString reason;
        if (!Settings::write(field.key, field.edit->text(), &reason)) {
            QMessageBox::warning(this, QString(), Settings::writeErrorMessage(reason));
            return;
        }
    }
    accept();
}

void SetupDialog::browse(QLineEdit *edit)
{
    const QString chosen = m_chooseProgram(this, edit->text());
    if (chosen.isEmpty())
        return;
    const QFileInfo file(chosen);
    edit->setText(QDir::toNativeSeparators(file.absoluteFilePath()));
    // Like every confirmed file dialog of the program, this one makes the
    // chosen file's folder the current directory.
    QDir::setCurrent(file.absolutePath());
}
