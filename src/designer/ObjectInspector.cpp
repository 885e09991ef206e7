#include "designer/ObjectInspector.h"

#include "designer/InspectorPlacement.h"
#include "designer/InspectorWindow.h"
#include "designer/MultiProperties.h"
#include "designer/ObjectProperties.h"
#include "designer/PropertyConversions.h"
#include "model/ReportClasses.h"

#include <QFontMetrics>
#include <QMessageBox>
#include <QMetaMethod>
#include <QTableWidget>

ObjectInspector::ObjectInspector(QObject *parent)
    : InspectorBase(parent), m_registry(&reportClasses())
{
}

ObjectInspector::~ObjectInspector()
{
    delete m_window;
}

void ObjectInspector::setErrorHandler(std::function<void(const QString &)> handler)
{
    m_errorHandler = std::move(handler);
}

void ObjectInspector::reportError(const QString &message)
{
    if (m_errorHandler)
        m_errorHandler(message);
    else
        QMessageBox::critical(m_window, m_caption, message);
}

QWidget *ObjectInspector::windowParent() const
{
    for (QObject *object = parent(); object; object = object->parent()) {
        if (auto *widget = qobject_cast<QWidget *>(object))
            return widget->window();
    }
    return nullptr;
}

void ObjectInspector::openWindow()
{
    delete m_window;
    m_window = new InspectorWindow(this, windowParent(), m_stayOnTop);
    m_window->setButtonProperties(m_buttonProperties);
    setWindowBounds(m_position.left, m_position.top, m_position.width, m_position.height);
    m_window->setColumnWidths(m_grid.propertyWidth, m_grid.valueWidth);
    m_window->fitCaptionColumn(widestCaption());
    m_window->clearRows();
    m_window->setButtonGlyph(m_buttonGlyph);
    m_window->setComponentChooserVisible(m_showCombo);
    m_window->setWindowTitle(m_caption);
    connect(m_window, &InspectorWindow::placeChanged, this, [this] {
        if (m_placement && m_window)
            m_placement->keep(m_window);
    });
    if (m_windowAllowed)
        showWindow();
}

void ObjectInspector::setPlacement(std::shared_ptr<InspectorPlacement> placement)
{
    m_placement = std::move(placement);
}

// A window that is not showing opens at the shared place: another
// report's inspector, or this one before design mode ended, may have left
// it elsewhere.
void ObjectInspector::showWindow()
{
    if (m_window->isVisible())
        return;
    if (m_placement)
        m_placement->place(m_window);
    m_window->show();
}

int ObjectInspector::widestCaption() const
{
    QStringList names;
    QStringList captions;
    propertyLists(names, captions);
    const QFontMetrics metrics(m_window->grid()->font());
    int widest = m_grid.propertyWidth;
    for (const QString &caption : std::as_const(captions))
        widest = std::max(widest, metrics.horizontalAdvance(caption) + 8);
    return widest;
}

void ObjectInspector::setWindowAllowed(bool allowed)
{
    m_windowAllowed = allowed;
    if (!m_window)
        return;
    if (allowed)
        showWindow();
    else
        m_window->hide();
}

void ObjectInspector::closeWindow()
{
    // The keyboard must not stay with a window that is gone: the menu keys
    // of the frame would do nothing until the user clicked it.
    if (m_window && m_window->isActiveWindow()) {
        if (QWidget *owner = windowParent())
            owner->activateWindow();
    }
    delete m_window;
}

void ObjectInspector::setWindowBounds(int left, int top, int width, int height)
{
    if (!m_window)
        return;
    m_window->move(left, top);
    m_window->resize(width, height);
}

InspectorWindow *ObjectInspector::window() const
{
    return m_window;
}

QList<QWidget *> ObjectInspector::targets() const
{
    const MultiProperties *props = multiProps();
    return props ? props->targets() : QList<QWidget *>();
}

MultiProperties *ObjectInspector::multiProps() const
{
    return dynamic_cast<MultiProperties *>(collector());
}

void ObjectInspector::applyValue(const QString &propName, const QString &value)
{
    if (propName.isEmpty())
        return;
    int written = 0;
    try {
        PropertyConversions::writeToTargets(targets(), propName, value, *m_registry, &written);
    } catch (const PropertyError &) {
        // Controls written before the failure keep their value: show it.
        if (written > 0)
            requestSelectionRefresh();
        throw;
    }
    requestSelectionRefresh();
    if (MultiProperties *props = multiProps())
        props->recollect();
}

void ObjectInspector::buttonClick(const QString &propName, QString &value)
{
    if (!hasButtonListener())
        return;
    const SelectedComponents snapshot(targets());
    emit buttonClicked(snapshot, propName, value);
}

bool ObjectInspector::hasButtonListener() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&ObjectInspector::buttonClicked));
}

void ObjectInspector::refreshGrid()
{
    if (!m_window)
        return;
    const MultiProperties *props = multiProps();
    const QStringList names = props ? props->shownNames() : QStringList();
    const QStringList values = props ? props->shownValues() : QStringList();
    if (names.size() != values.size())
        return;
    QStringList captions;
    for (const QString &name : names)
        captions.append(props->captionOf(name));
    m_window->showRows(names, captions, values);
    if (m_windowAllowed)
        showWindow();
}

void ObjectInspector::refreshValues()
{
    if (MultiProperties *props = multiProps())
        props->refreshTargets();
}

void ObjectInspector::propertyLists(QStringList &names, QStringList &captions) const
{
    StandardRowLists::split(m_standardRows.lines() + m_selfProperties, names, captions);
}

std::unique_ptr<PropertyCollector> ObjectInspector::createCollector()
{
    return std::make_unique<MultiProperties>(*m_registry);
}
