#include "designer/InspectorWindow.h"

#include "designer/DesignChangeRecorder.h"
#include "designer/DesignStage.h"
#include "designer/ObjectInspector.h"
#include "designer/ObjectProperties.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int RowHeight = 18;
constexpr int ParkedLeft = -2000;
constexpr int NameColumn = 0;
constexpr int CaptionColumn = 1;
constexpr int ValueColumn = 2;

} // namespace

InspectorWindow::InspectorWindow(ObjectInspector *inspector, QWidget *parent, bool stayOnTop)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint
                          | (stayOnTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags())),
      m_inspector(inspector)
{
    setObjectName(QStringLiteral("InspectorFm"));
    // The window opens whenever design mode starts; taking the keyboard
    // from the report window then would leave its menu keys dead.
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(217, 440);
    buildParts();
    startEdit(-1, false);
}

void InspectorWindow::buildParts()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_chooserPanel = new QFrame(this);
    m_chooserPanel->setObjectName(QStringLiteral("Panel3"));
    m_chooserPanel->setFixedHeight(33);
    auto *chooserLayout = new QVBoxLayout(m_chooserPanel);
    chooserLayout->setContentsMargins(5, 6, 5, 0);
    m_componentChooser = new QComboBox(m_chooserPanel);
    m_componentChooser->setObjectName(QStringLiteral("ComboBox1"));
    chooserLayout->addWidget(m_componentChooser);
    chooserLayout->addStretch();
    m_chooserPanel->hide();
    layout->addWidget(m_chooserPanel);
    connect(m_componentChooser, &QComboBox::activated, this, &InspectorWindow::componentChosen);

    auto *sections = new QStandardItemModel(0, 2, this);
    sections->setHorizontalHeaderLabels({QStringLiteral("Własność"), QStringLiteral("Wartość")});
    m_header = new QHeaderView(Qt::Horizontal, this);
    m_header->setObjectName(QStringLiteral("Hd"));
    m_header->setModel(sections);
    m_header->setSectionsClickable(false);
    m_header->setSectionResizeMode(QHeaderView::Interactive);
    m_header->setStretchLastSection(false);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_header->setFixedHeight(17);
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    m_header->resizeSection(0, 80);
    m_header->resizeSection(1, 80);
    m_header->installEventFilter(this);
    layout->addWidget(m_header);
    connect(m_header, &QHeaderView::sectionResized, this,
            [this](int section, int, int newSize) { sectionDragged(section, newSize); });

    m_grid = new QTableWidget(0, 3, this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setMinimumSectionSize(RowHeight);
    m_grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grid->setColumnHidden(NameColumn, true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setShowGrid(true);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette face = m_grid->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    m_grid->setPalette(face);
    m_grid->installEventFilter(this);
    layout->addWidget(m_grid);
    connect(m_grid, &QTableWidget::cellPressed, this, [this] {
        if (m_grid->currentRow() > 0)
            startEdit(m_grid->currentRow(), true);
    });
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &InspectorWindow::hideEditors);
    // The columns fit the header; making a cell current must never scroll
    // the grid sideways under the header and the editors.
    connect(m_grid->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { m_grid->horizontalScrollBar()->setValue(0); });

    // The editors float over the grid's cells; they are not laid out.
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::returnPressed, this, &InspectorWindow::applyEdit);

    m_buttonPanel = new QFrame(this);
    m_buttonPanel->setObjectName(QStringLiteral("Panel2"));
    m_buttonPanel->resize(22, 22);
    m_button = new QToolButton(m_buttonPanel);
    m_button->setObjectName(QStringLiteral("SpeedButton1"));
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setText(QStringLiteral("..."));
    connect(m_button, &QToolButton::clicked, this, &InspectorWindow::valueButtonClicked);

    m_chooser = new QComboBox(this);
    m_chooser->setObjectName(QStringLiteral("ComboBox2"));
    m_chooser->setEditable(true);
    m_chooser->setInsertPolicy(QComboBox::NoInsert);
    m_chooser->installEventFilter(this);
    connect(m_chooser, &QComboBox::activated, this, &InspectorWindow::chooserPicked);
    connect(m_chooser->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        m_edit->setText(m_chooser->currentText());
        applyEdit();
    });
}

void InspectorWindow::setColumnWidths(int captionWidth, int valueWidth)
{
    m_grid->setColumnWidth(CaptionColumn, captionWidth);
    m_grid->setColumnWidth(ValueColumn, valueWidth);
}

void InspectorWindow::fitCaptionColumn(int captionWidth)
{
    constexpr int SmallestValueColumn = 120;
    const int section = captionWidth + 4;
    if (section <= m_header->sectionSize(0))
        return;
    const int frame = width() - m_header->width();
    resize(std::max(width(), section + SmallestValueColumn + frame), height());
    m_header->resizeSection(0, section);
}

void InspectorWindow::setButtonGlyph(const QPixmap &glyph)
{
    m_button->setIcon(QIcon(glyph));
    m_button->setToolButtonStyle(glyph.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
}

void InspectorWindow::setComponentChooserVisible(bool visible)
{
    m_chooserPanel->setVisible(visible);
}

void InspectorWindow::clearRows()
{
    m_grid->setRowCount(0);
}

void InspectorWindow::showRows(const QStringList &names, const QStringList &captions,
                               const QStringList &values)
{
    m_grid->setRowCount(int(names.size()) + 1);
    for (int column = 0; column < 3; ++column)
        m_grid->setItem(0, column, new QTableWidgetItem);
    for (int i = 0; i < names.size(); ++i) {
        m_grid->setItem(i + 1, NameColumn, new QTableWidgetItem(names.at(i)));
        m_grid->setItem(i + 1, CaptionColumn, new QTableWidgetItem(captions.value(i)));
        m_grid->setItem(i + 1, ValueColumn, new QTableWidgetItem(values.value(i)));
    }
    const int editedRow = m_editingName.isEmpty() ? -1 : int(names.indexOf(m_editingName)) + 1;
    // What the box holds was meant for the components it was opened for.
    if (editBoxPlaced() && !editTargetsCurrent())
        hideEditors();
    if (editedRow > 0)
        m_grid->setCurrentCell(editedRow, CaptionColumn);
    else
        startEdit(-1, false);
}

QString InspectorWindow::rowName(int row) const
{
    const QTableWidgetItem *item = m_grid->item(row, NameColumn);
    return row > 0 && item ? item->text() : QString();
}

QRect InspectorWindow::valueCellRect(int row) const
{
    const QRect cell =
        m_grid->visualRect(m_grid->model()->index(row, ValueColumn)) & m_grid->viewport()->rect();
    return QRect(m_grid->viewport()->mapTo(this, cell.topLeft()), cell.size());
}

void InspectorWindow::startEdit(int row, bool focus)
{
    if (row < 0) {
        // Parked first: losing the focus must not write what the box holds.
        parkEditBox(ParkedLeft);
        m_edit->setEnabled(false);
        m_buttonPanel->hide();
        m_chooser->hide();
        return;
    }
    const QRect cell = valueCellRect(row);
    const QTableWidgetItem *valueItem = m_grid->item(row, ValueColumn);
    const QString text = valueItem ? valueItem->text() : QString();
    const QString name = rowName(row);
    const bool buttonRow = m_buttonProperties.contains(name);
    const QList<QWidget *> targets = m_inspector->targets();
    if (targets.isEmpty())
        return;
    // Hiding or disabling a focused editor below is no leaving of it.
    const QScopedValueRollback<bool> placing(m_placingEditors, true);
    m_editingName = name;
    m_editTargets = QList<QPointer<QWidget>>(targets.begin(), targets.end());

    const ObjectProperties info(targets.first(), m_inspector->classRegistry());
    const int index = info.indexOf(name);
    const PropertyInfo *property = index < 0 ? nullptr : &info.property(index);
    if (property && PropertyTexts::typeKindOf(*property) == PropertyTypeKind::Enumeration) {
        m_chooser->clear();
        m_chooser->addItems(PropertyTexts::valueNames(*property));
        m_chooser->setGeometry(cell);
        m_chooser->setCurrentIndex(m_chooser->findText(text));
        m_chooser->setEditText(text);
        m_chooser->show();
        m_chooser->raise();
        m_edit->hide();
        // Typing a value's first letters completes it.
        if (focus)
            m_chooser->setFocus();
    } else {
        m_chooser->hide();
        m_edit->show();
        m_edit->setEnabled(true);
    }
    if (buttonRow) {
        m_edit->show();
        m_edit->setEnabled(false);
        m_buttonPanel->setGeometry(cell.right() - 18, cell.top(), 19, cell.height());
        m_button->setGeometry(0, 0, 19, cell.height());
        m_buttonPanel->show();
        m_chooser->hide();
    } else {
        m_buttonPanel->hide();
        m_edit->setEnabled(true);
        if (m_edit->isVisible() && focus)
            m_edit->setFocus();
    }
    m_edit->setGeometry(cell);
    m_edit->setText(text);
    m_edit->selectAll();
    m_edit->raise();
    m_buttonPanel->raise();
}

bool InspectorWindow::editBoxPlaced() const
{
    return m_edit->x() >= 0;
}

void InspectorWindow::parkEditBox(int left)
{
    m_edit->move(left, m_edit->y());
}

void InspectorWindow::hideEditors()
{
    // The edit box is parked as well, so that a later deactivation of the
    // window cannot write its stale text to another selection.
    parkEditBox(ParkedLeft);
    m_buttonPanel->hide();
    m_chooser->hide();
    m_edit->hide();
}

bool InspectorWindow::editTargetsCurrent() const
{
    const QList<QWidget *> current = m_inspector->targets();
    if (current.size() != m_editTargets.size())
        return false;
    for (qsizetype i = 0; i < current.size(); ++i) {
        if (!m_editTargets.at(i) || m_editTargets.at(i) != current.at(i))
            return false;
    }
    return true;
}

void InspectorWindow::applyEdit()
{
    if (m_applying || !editBoxPlaced())
        return;
    if (!editTargetsCurrent()) {
        hideEditors();
        return;
    }
    const QString name = rowName(m_grid->currentRow());
    if (!name.isEmpty() && name == m_editingName)
        writeValue(name, [this] { return m_edit->text(); });
}

void InspectorWindow::writeValue(const QString &name, const std::function<QString()> &value)
{
    // While a value is written, a dialog or a failure's message box may take
    // the focus from the editors: that must not write (and fail) again.
    const QPointer<InspectorWindow> alive(this);
    m_applying = true;
    // A value, and whatever its button's dialog changed, is one change.
    DesignChangeScope change(qobject_cast<DesignStage *>(m_inspector->stageWindow()),
                             QStringLiteral("Set ") + name);
    try {
        m_inspector->applyValue(name, value());
    } catch (const PropertyError &error) {
        m_inspector->reportError(error.message());
    }
    if (alive)
        m_applying = false;
}

void InspectorWindow::leaveEditors()
{
    applyEdit();
    hideEditors();
}

void InspectorWindow::cancelEdit()
{
    // Parked before the focus leaves it: leaving then writes nothing.
    hideEditors();
    m_grid->setFocus();
}

void InspectorWindow::chooserPicked()
{
    m_edit->setText(m_chooser->currentText());
    leaveEditors();
}

void InspectorWindow::valueButtonClicked()
{
    if (!m_inspector->hasButtonListener() || m_applying)
        return;
    const QString name = rowName(m_grid->currentRow());
    writeValue(name, [this, &name] {
        QString value = m_edit->text();
        m_inspector->buttonClick(name, value);
        m_edit->setText(value);
        return value;
    });
}

void InspectorWindow::componentChosen(int index)
{
    if (m_componentChooser->count() == 0)
        return;
    auto *control = qobject_cast<QWidget *>(m_componentChooser->itemData(index).value<QObject *>());
    if (control)
        m_inspector->selectControl(control);
    parkEditBox(-200);
    m_buttonPanel->hide();
    m_chooser->hide();
}

bool InspectorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_header && event->type() == QEvent::Resize) {
        headerResized();
    } else if ((watched == m_edit || watched == m_chooser) && event->type() == QEvent::KeyPress
               && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        cancelEdit();
        return true;
    } else if (watched == m_grid && event->type() == QEvent::KeyPress) {
        hideEditors();
    } else if ((watched == m_edit || watched == m_chooser) && event->type() == QEvent::FocusOut) {
        if (!m_placingEditors && !chooserListOpen()) {
            if (watched == m_chooser && m_chooser->isVisible() && editBoxPlaced())
                m_edit->setText(m_chooser->currentText());
            leaveEditors();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool InspectorWindow::chooserListOpen() const
{
    // Opening the chooser's list takes the focus and the activation to the
    // list's own window: that is no leaving.
    return m_chooser->view()->isVisible();
}

void InspectorWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !chooserListOpen())
        leaveEditors();
}

void InspectorWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (isVisible())
        emit placeChanged();
}

void InspectorWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isVisible())
        emit placeChanged();
}

void InspectorWindow::headerResized()
{
    QScopedValueRollback<bool> guard(m_fittingHeader, true);
    m_header->resizeSection(1, std::max(0, m_header->width() - m_header->sectionSize(0)));
    fitColumnsToHeader();
}

void InspectorWindow::sectionDragged(int section, int newSize)
{
    if (m_fittingHeader)
        return;
    QScopedValueRollback<bool> guard(m_fittingHeader, true);
    m_header->resizeSection(1 - section, std::max(0, m_header->width() - newSize));
    fitColumnsToHeader();
}

void InspectorWindow::fitColumnsToHeader()
{
    hideEditors();
    setColumnWidths(m_header->sectionSize(0) - 4, m_header->sectionSize(1) - 4);
}
