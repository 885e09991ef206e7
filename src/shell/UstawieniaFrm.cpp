#include "shell/UstawieniaFrm.h"

#include "shell/DialogButtons.h"

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
    const QString folder = QFileInfo(current).isAbsolute() ? QFileInfo(current).absolutePath()
                                                           : QDir::currentPath();
    return QFileDialog::getOpenFileName(parent, QString(), folder,
                                        applications + QStringLiteral(";;") + anyFile,
                                        &selected);
}

QLabel *label(const QString &text, QWidget *buddy)
{
    auto *result = new QLabel(text);
    result->setBuddy(buddy);
    return result;
}

} // namespace

TUstawieniaForm::TUstawieniaForm(QWidget *parent)
    : QDialog(parent), m_chooseProgram(askForProgram)
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
        {UserEdit, SettingKeys::FtpUser, QString::fromLatin1(Settings::DefaultFtpUser)},
        {PassEdit, SettingKeys::FtpPass, QString()},
        {HostEdit, SettingKeys::FtpHost, QString::fromLatin1(Settings::DefaultFtpHost)},
        {RemDirEdit, SettingKeys::FtpRemoteDirectory,
         QString::fromLatin1(Settings::DefaultRemoteDirectory)},
        {TelnetProgEdit, SettingKeys::TelnetProg,
         QString::fromLatin1(Settings::DefaultTelnetProgram)},
        {EditorEdit, SettingKeys::TxtEditProg,
         QString::fromLatin1(Settings::DefaultTextEditorProgram)},
        {ReportProgEdit, SettingKeys::ReportProgram,
         QString::fromLatin1(Settings::DefaultReportProgram)},
        {RepUserEdit, SettingKeys::ReportUser, QString::fromLatin1(Settings::DefaultReportUser)},
    };
    FormCreate();
    setFixedSize(sizeHint().expandedTo(QSize(341, 203)));
}

QLineEdit *TUstawieniaForm::lineEdit(const QString &name)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(name);
    return edit;
}

QWidget *TUstawieniaForm::browseButton(const QString &name, QLineEdit *edit)
{
    auto *button = new QPushButton(QStringLiteral("Browse"));
    button->setObjectName(name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, edit] { browse(edit); });
    return button;
}

QWidget *TUstawieniaForm::createGeneralPage()
{
    TelnetProgEdit = lineEdit(QStringLiteral("TelnetProgEdit"));
    EditorEdit = lineEdit(QStringLiteral("EditorEdit"));
    ReportProgEdit = lineEdit(QStringLiteral("ReportProgEdit"));
    RepUserEdit = lineEdit(QStringLiteral("RepUserEdit"));

    auto *report = new QGroupBox(QStringLiteral("Report"));
    report->setObjectName(QStringLiteral("ReportGroup"));
    auto *reportGrid = new QGridLayout(report);
    reportGrid->addWidget(label(QStringLiteral("Report Ingres Program:"), ReportProgEdit), 0, 0);
    reportGrid->addWidget(ReportProgEdit, 0, 1);
    reportGrid->addWidget(browseButton(QStringLiteral("BrowseButton3"), ReportProgEdit), 0, 2);
    reportGrid->addWidget(label(QStringLiteral("User for REPORT Ingres Program:"), RepUserEdit),
                          1, 0);
    reportGrid->addWidget(RepUserEdit, 1, 1, 1, 2);

    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("GeneralSheet"));
    auto *grid = new QGridLayout(page);
    grid->addWidget(label(QStringLiteral("Telnet Program:"), TelnetProgEdit), 0, 0);
    grid->addWidget(TelnetProgEdit, 0, 1);
    grid->addWidget(browseButton(QStringLiteral("BrowseButton1"), TelnetProgEdit), 0, 2);
    grid->addWidget(label(QStringLiteral("Edit Program:"), EditorEdit), 1, 0);
    grid->addWidget(EditorEdit, 1, 1);
    grid->addWidget(browseButton(QStringLiteral("BrowseButton2"), EditorEdit), 1, 2);
    grid->addWidget(report, 2, 0, 1, 3);
    return page;
}

QWidget *TUstawieniaForm::createFtpPage()
{
    UserEdit = lineEdit(QStringLiteral("UserEdit"));
    PassEdit = lineEdit(QStringLiteral("PassEdit"));
    HostEdit = lineEdit(QStringLiteral("HostEdit"));
    RemDirEdit = lineEdit(QStringLiteral("RemDirEdit"));
    auto *style = new HashPasswordStyle;
    style->setParent(this);
    PassEdit->setStyle(style);
    PassEdit->setEchoMode(QLineEdit::Password);

    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("FtpSheet"));
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("User:"), UserEdit);
    form->addRow(QStringLiteral("Password:"), PassEdit);
    form->addRow(QStringLiteral("Host:"), HostEdit);
    form->addRow(QStringLiteral("Remote Directory:"), RemDirEdit);
    return page;
}

QWidget *TUstawieniaForm::createButtonStrip()
{
    const DialogButtons buttons = createOkCancelButtons();
    connect(buttons.ok, &QPushButton::clicked, this, &TUstawieniaForm::OkButtonClick);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    return buttons.box;
}

void TUstawieniaForm::FormCreate()
{
    for (const Field &field : std::as_const(m_fields))
        field.edit->setText(Settings::read(field.key, field.defaultValue));
    m_pages->setCurrentIndex(0);
}

void TUstawieniaForm::OkButtonClick()
{
    for (const Field &field : std::as_const(m_fields)) {
        if (!Settings::write(field.key, field.edit->text())) {
            QMessageBox::warning(this, QString(), Settings::writeErrorMessage());
            return;
        }
    }
    accept();
}

void TUstawieniaForm::browse(QLineEdit *edit)
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
