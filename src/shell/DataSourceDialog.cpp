#include "shell/DataSourceDialog.h"

#include "shell/DialogButtons.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <array>

namespace {

struct KindChoice
{
    DataSource::Kind kind;
    const char *name;
    const char *caption;
};

constexpr std::array<KindChoice, 4> KindChoices{{
    {DataSource::Kind::Sample, "SampleDataButton", "&Sample data"},
    {DataSource::Kind::SQLite, "SQLiteButton", "S&QLite database file"},
    {DataSource::Kind::CsvFolder, "CsvFolderButton", "&CSV folder"},
    {DataSource::Kind::PostgreSQL, "PostgreSQLButton", "&PostgreSQL server"},
}};

QString askWithDialog(QWidget *parent, bool folder, const QString &current)
{
    if (folder)
        return QFileDialog::getExistingDirectory(parent, QStringLiteral("CSV Folder"), current);
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("SQLite Database"), QFileInfo(current).absolutePath(),
        QStringLiteral("SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)"));
}

QLineEdit *namedEdit(const char *name)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

DataSourceDialog::DataSourceDialog(const DataSource &data, QWidget *parent)
    : QDialog(parent), m_choosePath(askWithDialog)
{
    setObjectName(QStringLiteral("DataSourceForm"));
    setWindowTitle(QStringLiteral("Data Source"));

    m_details = new QStackedWidget;
    m_details->setObjectName(QStringLiteral("DataSourceDetails"));
    auto *sample = new QLabel(QStringLiteral(
        "Rows made up from the report's query: values typed by the formats the report\n"
        "prints them with, repeating so that every break column changes every few rows."));
    m_details->addWidget(sample);
    m_details->addWidget(
        createPathPage(m_sqliteEdit, "SQLitePathEdit", QStringLiteral("Database file:"), false));
    m_details->addWidget(
        createPathPage(m_csvEdit, "CsvFolderEdit", QStringLiteral("Folder of *.csv files:"), true));
    m_details->addWidget(createServerPage());

    const DialogButtons buttons = createOkCancelButtons();
    connect(buttons.ok, &QPushButton::clicked, this, &DataSourceDialog::acceptChoice);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(createKinds());
    layout->addWidget(m_details);
    layout->addWidget(buttons.box);

    m_sqliteEdit->setText(data.kind == DataSource::Kind::SQLite ? data.path : QString());
    m_csvEdit->setText(data.kind == DataSource::Kind::CsvFolder ? data.path : QString());
    m_hostEdit->setText(data.host);
    m_portEdit->setValue(data.port);
    m_databaseEdit->setText(data.database);
    m_userEdit->setText(data.user);
    m_passwordEdit->setText(data.password);
    kindButton(data.kind)->setChecked(true);
    showKind();
}

QWidget *DataSourceDialog::createKinds()
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_kinds = new QButtonGroup(this);
    for (const KindChoice &choice : KindChoices) {
        auto *button = new QRadioButton(QString::fromLatin1(choice.caption));
        button->setObjectName(QString::fromLatin1(choice.name));
        m_kinds->addButton(button, int(choice.kind));
        layout->addWidget(button);
    }
    connect(m_kinds, &QButtonGroup::idToggled, this, &DataSourceDialog::showKind);
    return box;
}

QWidget *DataSourceDialog::createPathPage(QLineEdit *&edit, const char *name, const QString &label,
                                          bool folder)
{
    edit = namedEdit(name);
    auto *browse = new QPushButton(QStringLiteral("Browse"));
    browse->setObjectName(QString::fromLatin1(name) + QStringLiteral("Browse"));
    browse->setAutoDefault(false);
    QLineEdit *target = edit;
    connect(browse, &QPushButton::clicked, this, [this, target, folder] {
        const QString chosen = m_choosePath(this, folder, target->text());
        if (!chosen.isEmpty())
            target->setText(QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()));
    });
    auto *page = new QWidget;
    auto *layout = new QFormLayout(page);
    auto *row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    layout->addRow(label, row);
    return page;
}

QWidget *DataSourceDialog::createServerPage()
{
    m_hostEdit = namedEdit("HostEdit");
    m_hostEdit->setPlaceholderText(QStringLiteral("localhost, or the folder of a Unix socket"));
    m_portEdit = new QSpinBox;
    m_portEdit->setObjectName(QStringLiteral("PortEdit"));
    m_portEdit->setRange(1, 65535);
    m_databaseEdit = namedEdit("DatabaseEdit");
    m_userEdit = namedEdit("UserEdit");
    m_passwordEdit = namedEdit("PasswordEdit");
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    auto *page = new QWidget;
    auto *layout = new QFormLayout(page);
    layout->addRow(QStringLiteral("Host:"), m_hostEdit);
    layout->addRow(QStringLiteral("Port:"), m_portEdit);
    layout->addRow(QStringLiteral("Database:"), m_databaseEdit);
    layout->addRow(QStringLiteral("User:"), m_userEdit);
    layout->addRow(QStringLiteral("Password:"), m_passwordEdit);
    return page;
}

QRadioButton *DataSourceDialog::kindButton(DataSource::Kind kind) const
{
    return qobject_cast<QRadioButton *>(m_kinds->button(int(kind)));
}

void DataSourceDialog::showKind()
{
    const int kind = std::max(0, m_kinds->checkedId());
    m_details->setCurrentIndex(kind);
}

DataSource DataSourceDialog::dataSource() const
{
    DataSource data;
    data.kind = DataSource::Kind(std::max(0, m_kinds->checkedId()));
    if (data.kind == DataSource::Kind::SQLite)
        data.path = m_sqliteEdit->text().trimmed();
    else if (data.kind == DataSource::Kind::CsvFolder)
        data.path = m_csvEdit->text().trimmed();
    data.host = m_hostEdit->text().trimmed();
    data.port = m_portEdit->value();
    data.database = m_databaseEdit->text().trimmed();
    data.user = m_userEdit->text().trimmed();
    data.password = m_passwordEdit->text();
    return data;
}

void DataSourceDialog::acceptChoice()
{
    // A file or folder that is not there is said in the preview, with the
    // rest of what a data source can do wrong; an empty one is said here.
    const DataSource data = dataSource();
    QLineEdit *missing = nullptr;
    if (data.kind == DataSource::Kind::SQLite && data.path.isEmpty())
        missing = m_sqliteEdit;
    else if (data.kind == DataSource::Kind::CsvFolder && data.path.isEmpty())
        missing = m_csvEdit;
    else if (data.kind == DataSource::Kind::PostgreSQL && data.database.isEmpty())
        missing = m_databaseEdit;
    if (missing) {
        missing->setFocus();
        return;
    }
    accept();
}
