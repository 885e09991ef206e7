#include "designer/DsnStage.h"

#include "designer/DsnCover.h"
#include "designer/DsnMessages.h"
#include "designer/DsnOverlay.h"
#include "designer/DsnUnit.h"

#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/mKomponents.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>

#include <exception>

TDsnStage::TDsnStage(ComponentOwner *owner, QWidget *parent)
    : QFrame(parent), m_owner(owner), m_registry(&reportClasses())
{
    setFocusPolicy(Qt::ClickFocus);
}

TDsnStage::~TDsnStage()
{
    // Design mode ends while every control is still whole: covers, handles
    // and the selection go before the children do.
    if (m_register)
        m_register->SetDesigning(false);
}

void TDsnStage::setClassRegistry(const ClassRegistry *registry)
{
    m_registry = registry ? registry : &reportClasses();
}

TDsnRegister *TDsnStage::Register() const
{
    return m_register.data();
}

void TDsnStage::setRegister(TDsnRegister *dsnRegister)
{
    m_register = dsnRegister;
}

TOutlineOverlay *TDsnStage::outlineOverlay()
{
    if (!m_overlay)
        m_overlay = new TOutlineOverlay(this);
    return m_overlay;
}

void TDsnStage::SaveToFile(const QString &fileName)
{
    if (m_register)
        m_register->ClearSelection();
    if (!m_owner)
        throw StreamError(fileName + QStringLiteral(" can not be written"));
    ObjectStream::saveStageFile(this, fileName, *m_owner, *m_registry);
}

void TDsnStage::LoadFromFile(const QString &fileName)
{
    const bool wasDesigning = m_register && m_register->designing();
    if (m_register)
        m_register->SetDesigning(false);
    if (!m_owner)
        throw StreamError(fileName + QStringLiteral(" can not be read"));
    ReaderHooks hooks;
    hooks.onError = [](const QString &) { return true; };
    // The file reader has applied the clash rename rule to proposed already.
    hooks.onSetName = [this](QWidget *component, const QString &proposed) {
        if (OnControlLoading)
            OnControlLoading(this, component);
        QCoreApplication::postEvent(this,
                                    new TDsnMessageEvent(DsnMessage::ControlLoaded, component));
        return proposed;
    };
    try {
        ObjectStream::loadStageFile(this, fileName, *m_owner, *m_registry, hooks);
    } catch (const StreamError &) {
        throw;
    } catch (const std::exception &) {
        throw StreamError(fileName + QStringLiteral(" can not be read"));
    }
    if (wasDesigning)
        m_register->SetDesigning(true);
}

void TDsnStage::forward(void (TDsnRegister::*command)())
{
    if (m_register)
        (m_register.data()->*command)();
}

void TDsnStage::DeleteSelected()
{
    forward(&TDsnRegister::DeleteSelected);
}

void TDsnStage::CutSelected()
{
    forward(&TDsnRegister::CutSelected);
}

void TDsnStage::CopySelected()
{
    forward(&TDsnRegister::CopySelected);
}

void TDsnStage::PasteFromClipboard()
{
    forward(&TDsnRegister::PasteFromClipboard);
}

void TDsnStage::RefreshSelection()
{
    if (m_register && m_register->targets())
        m_register->targets()->Update();
}

bool TDsnStage::event(QEvent *event)
{
    if (TDsnMessageEvent::isDsnMessage(event)) {
        deliverDeferred(event);
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // The stage's own clipboard keys win over menu shortcuts while it
        // has the focus.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::ControlModifier
            && (key->key() == Qt::Key_C || key->key() == Qt::Key_X || key->key() == Qt::Key_V)) {
            event->accept();
            return true;
        }
    }
    return QFrame::event(event);
}

void TDsnStage::deliverDeferred(QEvent *event)
{
    auto *message = static_cast<TDsnMessageEvent *>(event);
    auto *component = qobject_cast<QWidget *>(message->object());
    switch (message->id()) {
    case DsnMessage::CoverRecreated:
        if (m_register)
            m_register->coverRecreated(qobject_cast<TDsnCtrl *>(message->object()));
        break;
    case DsnMessage::RefreshSelection:
        RefreshSelection();
        break;
    case DsnMessage::ControlCreated:
        if (component && OnControlCreate) {
            OnControlCreate(this, component);
            // The handler may have sized the control: handles follow it.
            RefreshSelection();
        }
        break;
    case DsnMessage::ControlLoaded:
        if (component && OnControlLoaded)
            OnControlLoaded(this, component);
        break;
    default:
        break;
    }
}

void TDsnStage::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() == Qt::ControlModifier) {
        void (TDsnStage::*command)() = nullptr;
        switch (event->key()) {
        case Qt::Key_C: command = &TDsnStage::CopySelected; break;
        case Qt::Key_X: command = &TDsnStage::CutSelected; break;
        case Qt::Key_V: command = &TDsnStage::PasteFromClipboard; break;
        default: break;
        }
        if (command) {
            event->accept();
            runCommand(command);
            return;
        }
    }
    if (event->key() == Qt::Key_Delete) {
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void TDsnStage::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && !event->isAutoRepeat()) {
        event->accept();
        runCommand(&TDsnStage::DeleteSelected);
        return;
    }
    QFrame::keyReleaseEvent(event);
}

void TDsnStage::runCommand(void (TDsnStage::*command)())
{
    // A key handler is the end of the road for a failed command: say why.
    try {
        (this->*command)();
    } catch (const StreamError &error) {
        QMessageBox::warning(this, window()->windowTitle(), error.message());
    } catch (const std::exception &error) {
        QMessageBox::warning(this, window()->windowTitle(), QString::fromUtf8(error.what()));
    }
}
