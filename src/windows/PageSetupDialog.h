#pragma once

#include "model/PageGeometry.h"

#include <QDialog>
#include <QHash>
#include <QPointer>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class ReportPage;

// Paper size and margins of a report page, in the page's units. A paper
// size chosen in the combo box goes to the page at once and stays there
// when the dialog is cancelled; OK writes the other fields, but only when
// every one of them is a number: otherwise it names the first bad field,
// selects it and changes nothing.
class PageSetupDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PageSetupDialog(QWidget *parent = nullptr);
    ~PageSetupDialog() override;

    // Shows the dialog modally for component when it is a page, owned by
    // owner; any other component is ignored. True when it was confirmed.
    static bool openPageSetup(QWidget *component, QWidget *owner);

    // Fills the dialog from page and remembers it.
    void showPage(ReportPage *page);
    ReportPage *page() const { return m_page.data(); }

    // "Default" … "Custom"; empty for a value outside 0 to 27.
    static QString paperSizeName(int paperSize);
    // The paper size of exactly that name (letter case included), or -1.
    static int paperSizeFromName(const QString &name);

    // --- Components, by their names in the dialog.
    QComboBox *paperSizeBox() const { return m_paperSizeBox; }
    QLineEdit *widthEdit() const { return m_widthEdit; }
    QLineEdit *lengthEdit() const { return m_lengthEdit; }
    QLineEdit *topEdit() const { return m_topEdit; }
    QLineEdit *leftEdit() const { return m_leftEdit; }
    QLineEdit *bottomEdit() const { return m_bottomEdit; }
    QLineEdit *rightEdit() const { return m_rightEdit; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

private:
    struct Field
    {
        QLineEdit *edit;
        PageValue index;
    };

    QWidget *createPaperGroup();
    QWidget *createMarginGroup();
    QWidget *createButtons();
    // An edit captioned on its left, at row and column of grid.
    QLineEdit *addValueEdit(QGridLayout *grid, const QString &name, const QString &caption, int row,
                            int column);

    void paperSizeTextChanged(const QString &text);
    void enableDimensions();
    void showValue(const Field &field);
    void confirm();

    QPointer<ReportPage> m_page;
    // Set while showPage fills the combo box: that is no choice of the user.
    bool m_showing = false;
    QComboBox *m_paperSizeBox = nullptr;
    QLineEdit *m_widthEdit = nullptr;
    QLineEdit *m_lengthEdit = nullptr;
    QLineEdit *m_topEdit = nullptr;
    QLineEdit *m_leftEdit = nullptr;
    QLineEdit *m_bottomEdit = nullptr;
    QLineEdit *m_rightEdit = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QList<Field> m_fields; // in the order OK writes them
    // The text each field was given: a field left so keeps the page's exact
    // value, which the field shows rounded.
    QHash<const QLineEdit *, QString> m_shownTexts;
};
