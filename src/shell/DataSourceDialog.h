#pragma once

#include "preview/DataSource.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

// "Data Source": where the preview of a report takes its rows from —
// sample data made up from the report, an SQLite database file, a folder
// of CSV files or a PostgreSQL server.
class DataSourceDialog : public QDialog
{
    Q_OBJECT

public:
    // Asks for a file (folder: false) or a folder; an empty text when the
    // user cancels. Tests put their own in place of the platform's dialog.
    using PathChooser =
        std::function<QString(QWidget *parent, bool folder, const QString &current)>;

    explicit DataSourceDialog(const DataSource &data, QWidget *parent = nullptr);

    DataSource dataSource() const;
    void setPathChooser(PathChooser chooser) { m_choosePath = std::move(chooser); }

    QRadioButton *kindButton(DataSource::Kind kind) const;
    QLineEdit *sqliteEdit() const { return m_sqliteEdit; }
    QLineEdit *csvEdit() const { return m_csvEdit; }
    QLineEdit *hostEdit() const { return m_hostEdit; }
    QSpinBox *portEdit() const { return m_portEdit; }
    QLineEdit *databaseEdit() const { return m_databaseEdit; }
    QLineEdit *userEdit() const { return m_userEdit; }
    QLineEdit *passwordEdit() const { return m_passwordEdit; }

private:
    QWidget *createKinds();
    QWidget *createPathPage(QLineEdit *&edit, const char *name, const QString &label, bool folder);
    QWidget *createServerPage();
    void showKind();
    void acceptChoice();

    QButtonGroup *m_kinds = nullptr;
    QStackedWidget *m_details = nullptr;
    QLineEdit *m_sqliteEdit = nullptr;
    QLineEdit *m_csvEdit = nullptr;
    QLineEdit *m_hostEdit = nullptr;
    QSpinBox *m_portEdit = nullptr;
    QLineEdit *m_databaseEdit = nullptr;
    QLineEdit *m_userEdit = nullptr;
    QLineEdit *m_passwordEdit = nullptr;
    PathChooser m_choosePath;
};
