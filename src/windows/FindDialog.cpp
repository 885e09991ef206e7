#include "windows/FindDialog.h"

#include <Qsci/qsciscintilla.h>

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *addButton(QVBoxLayout *column, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    column->addWidget(button);
    return button;
}

} // namespace

FindDialog::FindDialog(QsciScintilla *editor, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_editor(editor)
{
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("Find"));
    buildParts();
}

void FindDialog::buildParts()
{
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("FindEdit"));
    m_replacement = new QLineEdit(this);
    m_replacement->setObjectName(QStringLiteral("ReplaceEdit"));
    m_matchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    m_matchCase->setObjectName(QStringLiteral("MatchCaseBox"));
    m_wholeWord = new QCheckBox(QStringLiteral("&Whole word"), this);
    m_wholeWord->setObjectName(QStringLiteral("WholeWordBox"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusLabel"));

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Fi&nd what:"), m_find);
    fields->addRow(QStringLiteral("Re&place with:"), m_replacement);
    fields->addRow(m_matchCase);
    fields->addRow(m_wholeWord);
    fields->addRow(m_status);

    auto *buttons = new QVBoxLayout;
    QPushButton *next = addButton(buttons, "FindNextButton", QStringLiteral("Find &Next"));
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(addButton(buttons, "FindPreviousButton", QStringLiteral("Find &Previous")),
            &QPushButton::clicked, this, &FindDialog::findPrevious);
    connect(addButton(buttons, "ReplaceButton", QStringLiteral("&Replace")), &QPushButton::clicked,
            this, &FindDialog::replace);
    connect(addButton(buttons, "ReplaceAllButton", QStringLiteral("Replace &All")),
            &QPushButton::clicked, this, &FindDialog::replaceAll);
    connect(addButton(buttons, "CloseButton", QStringLiteral("Close")), &QPushButton::clicked, this,
            &QDialog::close);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

void FindDialog::showSearch(bool forReplace)
{
    // A selection within one line is what the user wants to find.
    if (m_editor && m_editor->hasSelectedText() && !m_editor->selectedText().contains(u'\n'))
        m_find->setText(m_editor->selectedText());
    m_status->clear();
    show();
    raise();
    activateWindow();
    QLineEdit *field = forReplace && !m_find->text().isEmpty() ? m_replacement : m_find;
    field->setFocus();
    field->selectAll();
}

SourceSearch::Options FindDialog::options() const
{
    return {m_matchCase->isChecked(), m_wholeWord->isChecked()};
}

void FindDialog::showOutcome(SourceSearch::Outcome outcome)
{
    switch (outcome) {
    case SourceSearch::Outcome::Found:
        m_status->clear();
        break;
    case SourceSearch::Outcome::FoundAfterWrapping:
        m_status->setText(QStringLiteral("Search went round the end of the text."));
        break;
    case SourceSearch::Outcome::NotFound:
        m_status->setText(QStringLiteral("\"%1\" was not found.").arg(m_find->text()));
        break;
    }
}

void FindDialog::findNext()
{
    if (m_editor)
        showOutcome(SourceSearch(*m_editor).find(m_find->text(), options(), true));
}

void FindDialog::findPrevious()
{
    if (m_editor)
        showOutcome(SourceSearch(*m_editor).find(m_find->text(), options(), false));
}

void FindDialog::replace()
{
    if (m_editor)
        showOutcome(
            SourceSearch(*m_editor).replace(m_find->text(), m_replacement->text(), options()));
}

void FindDialog::replaceAll()
{
    if (!m_editor)
        return;
    const int count =
        SourceSearch(*m_editor).replaceAll(m_find->text(), m_replacement->text(), options());
    if (count == 0)
        showOutcome(SourceSearch::Outcome::NotFound);
    else
        m_status->setText(QStringLiteral("%1 replaced.").arg(count));
}
