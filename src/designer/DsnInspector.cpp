#include "designer/DsnInspector.h"

#include "designer/DsnMultiProps.h"
#include "designer/DsnPropInfo.h"
#include "designer/DsnPropValue.h"
#include "designer/InspectorFm.h"
#include "model/mKomponents.h"

#include <QMessageBox>

TDsnInspector::TDsnInspector(QObject *parent)
    : TCustomInspector(parent), m_registry(&reportClasses())
{
}

TDsnInspector::~TDsnInspector()
{
    delete m_window;
}

void TDsnInspector::setErrorHandler(std::function<void(const QString &)> handler)
{
    m_errorHandler = std::move(handler);
}

void TDsnInspector::reportError(const QString &message)
{
    if (m_errorHandler)
        m_errorHandler(message);
    else
        QMessageBox::critical(m_window, m_caption, message);
}

QWidget *TDsnInspector::windowParent() const
{
    for (QObject *object = parent(); object; object = object->parent()) {
        if (auto *widget = qobject_cast<QWidget *>(object))
            return widget->window();
    }
    return nullptr;
}

void TDsnInspector::OpenWindow()
{
    delete m_window;
    m_window = new TInspectorFm(this, windowParent(), m_stayOnTop);
    m_window->setBtnProps(m_btnProps);
    SetWindowBounds(m_position.Left, m_position.Top, m_position.Width, m_position.Height);
    m_window->setColumnWidths(m_grid.PropWid, m_grid.ValueWid);
    m_window->clearRows();
    m_window->setButtonGlyph(m_btnGlyph);
    m_window->setComponentChooserVisible(m_showCombo);
    m_window->setWindowTitle(m_caption);
    m_window->show();
}

void TDsnInspector::CloseWindow()
{
    // The keyboard must not stay with a window that is gone: the menu keys
    // of the frame would do nothing until the user clicked it.
    if (m_window && m_window->isActiveWindow()) {
        if (QWidget *owner = windowParent())
            owner->activateWindow();
    }
    delete m_window;
}

void TDsnInspector::SetWindowBounds(int left, int top, int width, int height)
{
    if (!m_window)
        return;
    m_window->move(left, top);
    m_window->resize(width, height);
}

TInspectorFm *TDsnInspector::window() const
{
    return m_window;
}

QList<QWidget *> TDsnInspector::targets() const
{
    const TMultiProps *props = multiProps();
    return props ? props->targets() : QList<QWidget *>();
}

TMultiProps *TDsnInspector::multiProps() const
{
    return dynamic_cast<TMultiProps *>(collector());
}

void TDsnInspector::ApplyValue(const QString &propName, const QString &value)
{
    if (propName.isEmpty())
        return;
    int written = 0;
    try {
        PropConversions::writeToTargets(targets(), propName, value, *m_registry, &written);
    } catch (const PropertyError &) {
        // Controls written before the failure keep their value: show it.
        if (written > 0)
            requestSelectionRefresh();
        throw;
    }
    requestSelectionRefresh();
    if (TMultiProps *props = multiProps())
        props->Recollect();
}

void TDsnInspector::ButtonClick(const QString &propName, QString &value)
{
    if (!OnBtnClick)
        return;
    const TSelectedComponents snapshot(targets());
    OnBtnClick(this, snapshot, propName, value);
}

void TDsnInspector::RefreshGrid()
{
    if (!m_window)
        return;
    const TMultiProps *props = multiProps();
    const QStringList names = props ? props->shownNames() : QStringList();
    const QStringList values = props ? props->shownValues() : QStringList();
    if (names.size() != values.size())
        return;
    QStringList captions;
    for (const QString &name : names)
        captions.append(props->captionOf(name));
    m_window->showRows(names, captions, values);
    if (!m_window->isVisible())
        m_window->show();
}

void TDsnInspector::GetPropLists(QStringList &names, QStringList &captions) const
{
    PropLists::split(m_showProps.lines() + m_selfProps, names, captions);
}

std::unique_ptr<TPropertyCollector> TDsnInspector::CreateCollector()
{
    return std::make_unique<TMultiProps>(*m_registry);
}
