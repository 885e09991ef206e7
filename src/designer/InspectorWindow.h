#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class QComboBox;
class QFrame;
class QHeaderView;
class QLineEdit;
class QTableWidget;
class QToolButton;
class ObjectInspector;

// The inspector's tool window: a grid of property captions and values
// under a two-section header, with one editor at a time laid over the
// value cell of the current row (an edit box, a chooser for enumerations,
// or a button for the properties the owner edits). row 0 stays empty; the
// hidden first column holds each row's property name.
class InspectorWindow : public QWidget
{
    Q_OBJECT

public:
    InspectorWindow(ObjectInspector *inspector, QWidget *parent, bool stayOnTop);

    void setButtonProperties(const QStringList &names) { m_buttonProperties = names; }
    void setColumnWidths(int captionWidth, int valueWidth);
    // Widens the caption column, and the window with it, to captionWidth.
    void fitCaptionColumn(int captionWidth);
    void setButtonGlyph(const QPixmap &glyph);
    void setComponentChooserVisible(bool visible);

    void clearRows();
    // Rows 1..n; the row of the name being edited stays current.
    void showRows(const QStringList &names, const QStringList &captions, const QStringList &values);
    // Lays the fitting editor over the value cell of row; -1 closes editing.
    void startEdit(int row, bool focus);
    QString editingName() const { return m_editingName; }
    QString rowName(int row) const;

    QComboBox *componentChooser() const { return m_componentChooser; }
    QHeaderView *header() const { return m_header; }
    QTableWidget *grid() const { return m_grid; }
    QLineEdit *editBox() const { return m_edit; }
    QComboBox *valueChooser() const { return m_chooser; }
    QToolButton *valueButton() const { return m_button; }
    bool editBoxPlaced() const;

signals:
    // The shown window was moved or resized.
    void placeChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildParts();
    QRect valueCellRect(int row) const;
    void parkEditBox(int left);
    void hideEditors();
    // Whether the selection is still the one the editors were opened for.
    bool editTargetsCurrent() const;
    void applyEdit();
    void writeValue(const QString &name, const std::function<QString()> &value);
    void leaveEditors();
    // Escape: the edit is dropped and the cell keeps its value.
    void cancelEdit();
    bool chooserListOpen() const;
    void chooserPicked();
    void valueButtonClicked();
    void componentChosen(int index);
    void headerResized();
    void sectionDragged(int section, int newSize);
    void fitColumnsToHeader();

    ObjectInspector *m_inspector;
    QStringList m_buttonProperties;
    QString m_editingName;
    // The components the editors were opened for: an edit is written to
    // them or dropped, never to a selection made since.
    QList<QPointer<QWidget>> m_editTargets;
    bool m_applying = false;
    bool m_placingEditors = false;
    bool m_fittingHeader = false;

    QFrame *m_chooserPanel = nullptr;
    QComboBox *m_componentChooser = nullptr;
    QHeaderView *m_header = nullptr;
    QTableWidget *m_grid = nullptr;
    QLineEdit *m_edit = nullptr;
    QFrame *m_buttonPanel = nullptr;
    QToolButton *m_button = nullptr;
    QComboBox *m_chooser = nullptr;
};
