#pragma once

#include "editor/SourceSearch.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QsciScintilla;

// The report window's find and replace dialog over its source editor. It
// is not modal and stays open until the user closes it; the label under
// the fields says when a search went round the end or found nothing.
class FindDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FindDialog(QsciScintilla *editor, QWidget *parent = nullptr);

    // Shows the dialog with the find field (or the replace field) ready
    // for typing, taking the editor's selection as the text to find.
    void showSearch(bool forReplace);
    void findNext();
    void findPrevious();
    void replace();
    void replaceAll();

    QLineEdit *findField() const { return m_find; }
    QLineEdit *replaceField() const { return m_replacement; }
    QCheckBox *matchCaseBox() const { return m_matchCase; }
    QCheckBox *wholeWordBox() const { return m_wholeWord; }
    QLabel *statusLabel() const { return m_status; }

private:
    void buildParts();
    SourceSearch::Options options() const;
    void showOutcome(SourceSearch::Outcome outcome);

    QPointer<QsciScintilla> m_editor;
    QLineEdit *m_find = nullptr;
    QLineEdit *m_replacement = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QLabel *m_status = nullptr;
};
