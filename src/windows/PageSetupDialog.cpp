#include "windows/PageSetupDialog.h"

#include "windows/FixedDialogSize.h"
#include "windows/ShowMessage.h"

#include "model/NamedValues.h"
#include "model/ReportPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The platform's decimal separator and no thousands separators, both ways.
QLocale numberLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

// Rounded to two decimals, without trailing zeros.
QString formatNumber(long double value)
{
    const QLocale locale = numberLocale();
    QString text = locale.toString(double(value), 'f', 2);
    const QString point = locale.decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(point.size());
    }
    return text == u"-0" ? QStringLiteral("0") : text;
}

std::optional<double> parseNumber(const QString &text)
{
    bool ok = false;
    const double value = numberLocale().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QPushButton *button(const QString &name, const QString &caption)
{
    auto *result = new QPushButton(caption);
    result->setObjectName(name);
    // Return confirms nothing: the fields are written only when OK is pressed.
    result->setAutoDefault(false);
    result->setDefault(false);
    return result;
}

} // namespace

PageSetupDialog::PageSetupDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PageSetupForm"));
    setWindowTitle(QStringLiteral("Page Setup Form"));

    auto *groups = new QHBoxLayout;
    groups->addWidget(createPaperGroup());
    groups->addWidget(createMarginGroup());
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(createButtons());

    m_fields = {{m_widthEdit, Width},     {m_lengthEdit, Length},       {m_topEdit, TopMargin},
                {m_leftEdit, LeftMargin}, {m_bottomEdit, BottomMargin}, {m_rightEdit, RightMargin}};
    setFixedDialogSize(this, sizeHint().expandedTo(QSize(298, 156)));
}

PageSetupDialog::~PageSetupDialog()
{
    // Hiding the dialog as it goes ends the edit of the combo box's text,
    // which may set its text again: no longer a choice for the page.
    disconnect(m_paperSizeBox, nullptr, this, nullptr);
}

QLineEdit *PageSetupDialog::addValueEdit(QGridLayout *grid, const QString &name,
                                         const QString &caption, int row, int column)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setMinimumWidth(60);
    auto *label = new QLabel(caption);
    label->setBuddy(edit);
    grid->addWidget(label, row, column);
    grid->addWidget(edit, row, column + 1);
    return edit;
}

QWidget *PageSetupDialog::createPaperGroup()
{
    m_paperSizeBox = new QComboBox;
    m_paperSizeBox->setObjectName(QStringLiteral("ComboBox1"));
    m_paperSizeBox->setEditable(true);
    m_paperSizeBox->setInsertPolicy(QComboBox::NoInsert);
    // Every change of the text applies at once: a completion would apply
    // sizes the user never named, and would match names in any letter case.
    m_paperSizeBox->setCompleter(nullptr);
    m_paperSizeBox->setMinimumWidth(107);
    QStringList names = NamedValues::paperSizeNames();
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    m_paperSizeBox->addItems(names);
    connect(m_paperSizeBox, &QComboBox::editTextChanged, this,
            &PageSetupDialog::paperSizeTextChanged);

    auto *group = new QGroupBox(QStringLiteral("Paper Size"));
    auto *grid = new QGridLayout(group);
    grid->addWidget(m_paperSizeBox, 0, 0, 1, 2);
    m_widthEdit = addValueEdit(grid, QStringLiteral("WidthEdit"), QStringLiteral("Width:"), 1, 0);
    m_lengthEdit =
        addValueEdit(grid, QStringLiteral("LengthEdit"), QStringLiteral("Length:"), 2, 0);
    return group;
}

QWidget *PageSetupDialog::createMarginGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Margins"));
    auto *grid = new QGridLayout(group);
    m_topEdit = addValueEdit(grid, QStringLiteral("TopEdit"), QStringLiteral("Top:"), 0, 0);
    m_leftEdit = addValueEdit(grid, QStringLiteral("LeftEdit"), QStringLiteral("Left:"), 0, 2);
    m_bottomEdit =
        addValueEdit(grid, QStringLiteral("BottomEdit"), QStringLiteral("Bottom:"), 1, 0);
    m_rightEdit = addValueEdit(grid, QStringLiteral("RightEdit"), QStringLiteral("Right:"), 1, 2);
    grid->setRowStretch(2, 1);
    return group;
}

QWidget *PageSetupDialog::createButtons()
{
    m_okButton = button(QStringLiteral("OkButton"), QStringLiteral("OK"));
    m_cancelButton = button(QStringLiteral("AnulujButton"), QStringLiteral("Cancel"));
    connect(m_okButton, &QPushButton::clicked, this, &PageSetupDialog::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *strip = new QWidget;
    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addWidget(m_okButton);
    layout->addWidget(m_cancelButton);
    return strip;
}

bool PageSetupDialog::openPageSetup(QWidget *component, QWidget *owner)
{
    auto *page = qobject_cast<ReportPage *>(component);
    if (!page)
        return false;
    // On the heap: the owner may go while the dialog is open, and take the
    // dialog with it.
    QPointer<PageSetupDialog> dialog = new PageSetupDialog(owner);
    dialog->showPage(page);
    const bool confirmed = dialog->exec() == QDialog::Accepted;
    delete dialog.data();
    return confirmed;
}

QString PageSetupDialog::paperSizeName(int paperSize)
{
    return NamedValues::paperSizeNames().value(paperSize);
}

int PageSetupDialog::paperSizeFromName(const QString &name)
{
    return int(NamedValues::paperSizeNames().indexOf(name));
}

void PageSetupDialog::showPage(ReportPage *page)
{
    m_page = page;
    m_showing = true;
    const QString name = paperSizeName(page->paperSize());
    m_paperSizeBox->setCurrentIndex(m_paperSizeBox->findText(name));
    m_paperSizeBox->setEditText(name);
    m_showing = false;
    enableDimensions();
    for (const Field &field : std::as_const(m_fields))
        showValue(field);
}

void PageSetupDialog::paperSizeTextChanged(const QString &text)
{
    if (m_showing || !m_page)
        return;
    // A text that names no paper size (one being typed, say) leaves the
    // page's paper size as it is.
    const int paperSize = paperSizeFromName(text);
    if (paperSize >= 0)
        m_page->setPaperSize(paperSize);
    enableDimensions();
    showValue(m_fields.at(0));
    showValue(m_fields.at(1));
}

void PageSetupDialog::enableDimensions()
{
    const bool custom = m_page && m_page->paperSize() == PaperCustom;
    m_widthEdit->setEnabled(custom);
    m_lengthEdit->setEnabled(custom);
}

void PageSetupDialog::showValue(const Field &field)
{
    if (!m_page)
        return;
    const QString text = formatNumber(m_page->pageValue(field.index));
    field.edit->setText(text);
    m_shownTexts.insert(field.edit, text);
}

void PageSetupDialog::confirm()
{
    if (!m_page) {
        reject();
        return;
    }
    QList<std::optional<double>> values; // none: the field was left as shown
    for (const Field &field : std::as_const(m_fields)) {
        if (field.edit->text() == m_shownTexts.value(field.edit)) {
            values.append(std::nullopt);
            continue;
        }
        const std::optional<double> value = parseNumber(field.edit->text());
        if (!value) {
            showMessage(
                this,
                QStringLiteral("'%1' is not a valid floating point value").arg(field.edit->text()));
            field.edit->setFocus();
            field.edit->selectAll();
            return;
        }
        values.append(value);
    }
    const int paperSize = paperSizeFromName(m_paperSizeBox->currentText());
    if (paperSize >= 0)
        m_page->setPaperSize(paperSize);
    for (int i = 0; i < m_fields.size(); ++i) {
        if (values.at(i))
            m_page->setPageValue(m_fields.at(i).index, *values.at(i));
    }
    accept();
}
