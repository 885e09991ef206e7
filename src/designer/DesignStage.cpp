#include "designer/DesignStage.h"

#include "designer/Cover.h"
#include "designer/DesignChangeRecorder.h"
#include "designer/DesignMessages.h"
#include "designer/DesignRegister.h"
#include "designer/OutlineOverlay.h"

#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/ReportClasses.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMetaMethod>

#include <exception>

DesignStage::DesignStage(ComponentOwner *owner, QWidget *parent)
    : QFrame(parent), m_owner(owner), m_registry(&reportClasses())
{
    setFocusPolicy(Qt::ClickFocus);
}

DesignStage::~DesignStage()
{
    // Design mode ends while every control is still whole: covers, handles
    // and the selection go before the children do.
    if (m_register)
        m_register->setDesigning(false);
}

void DesignStage::setClassRegistry(const ClassRegistry *registry)
{
    m_registry = registry ? registry : &reportClasses();
}

DesignRegister *DesignStage::designRegister() const
{
    return m_register.data();
}

void DesignStage::setRegister(DesignRegister *dsnRegister)
{
    m_register = dsnRegister;
}

OutlineOverlay *DesignStage::outlineOverlay()
{
    if (!m_overlay)
        m_overlay = new OutlineOverlay(this);
    return m_overlay;
}

void DesignStage::saveToFile(const QString &fileName)
{
    if (m_register)
        m_register->clearSelection();
    if (!m_owner)
        throw StreamError(fileName + QStringLiteral(" can not be written"));
    ObjectStream::saveStageFile(this, fileName, *m_owner, *m_registry);
}

void DesignStage::loadFromFile(const QString &fileName)
{
    const bool wasDesigning = m_register && m_register->designing();
    if (m_register)
        m_register->setDesigning(false);
    if (!m_owner)
        throw StreamError(fileName + QStringLiteral(" can not be read"));
    ReaderHooks hooks;
    hooks.onError = [](const QString &) {
        return true;
    };
    // The file reader has applied the clash rename rule to proposed already.
    hooks.onSetName = [this](QWidget *component, const QString &proposed) {
        emit controlLoading(component);
        QCoreApplication::postEvent(
            this, new DesignMessageEvent(DesignMessage::ControlLoaded, component));
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
        m_register->setDesigning(true);
}

const StagePolicy &DesignStage::policy() const
{
    static const StagePolicy allowEverything;
    return m_policy ? *m_policy : allowEverything;
}

void DesignStage::setPolicy(std::unique_ptr<StagePolicy> policy)
{
    m_policy = std::move(policy);
}

bool DesignStage::hasMenuClickListener() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&DesignStage::menuClicked));
}

void DesignStage::forward(void (DesignRegister::*command)())
{
    if (m_register)
        (m_register.data()->*command)();
}

void DesignStage::deleteSelected()
{
    forward(&DesignRegister::deleteSelected);
}

void DesignStage::cutSelected()
{
    forward(&DesignRegister::cutSelected);
}

void DesignStage::copySelected()
{
    forward(&DesignRegister::copySelected);
}

void DesignStage::pasteFromClipboard()
{
    forward(&DesignRegister::pasteFromClipboard);
}

void DesignStage::refreshSelection()
{
    if (m_register && m_register->targets())
        m_register->targets()->refreshTargets();
}

bool DesignStage::event(QEvent *event)
{
    if (DesignMessageEvent::isDesignMessage(event)) {
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

void DesignStage::deliverDeferred(QEvent *event)
{
    auto *message = static_cast<DesignMessageEvent *>(event);
    auto *component = qobject_cast<QWidget *>(message->object());
    switch (message->id()) {
    case DesignMessage::CoverRecreated:
        if (m_register)
            m_register->coverRecreated(qobject_cast<Cover *>(message->object()));
        break;
    case DesignMessage::RefreshSelection:
        refreshSelection();
        break;
    case DesignMessage::ControlCreated:
        // The recorder hears of it first: the step holds the new control.
        if (component && m_recorder)
            m_recorder->componentMade(component);
        if (component && isSignalConnected(QMetaMethod::fromSignal(&DesignStage::controlCreated))) {
            emit controlCreated(component);
            // A listener may have sized the control: handles follow it.
            refreshSelection();
        }
        break;
    case DesignMessage::ControlLoaded:
        if (component)
            emit controlLoaded(component);
        break;
    default:
        break;
    }
}

void DesignStage::beginChange()
{
    if (m_changeDepth++ == 0 && m_recorder)
        m_recorder->beginChange();
}

void DesignStage::endChange(const QString &text)
{
    if (m_changeDepth == 0)
        return;
    if (--m_changeDepth == 0 && m_recorder)
        m_recorder->endChange(text);
}

void DesignStage::componentLeaving(QWidget *component)
{
    if (m_changeDepth > 0 && m_recorder)
        m_recorder->componentLeaving(component);
}

void DesignStage::keyPressEvent(QKeyEvent *event)
{
    if (m_register && designKey(event)) {
        event->accept();
        return;
    }
    if (event->modifiers() == Qt::ControlModifier) {
        void (DesignStage::*command)() = nullptr;
        switch (event->key()) {
        case Qt::Key_C:
            command = &DesignStage::copySelected;
            break;
        case Qt::Key_X:
            command = &DesignStage::cutSelected;
            break;
        case Qt::Key_V:
            command = &DesignStage::pasteFromClipboard;
            break;
        default:
            break;
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

bool DesignStage::designKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier && event->key() == Qt::Key_A) {
        m_register->selectAll();
        return true;
    }
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    int stepsX = 0;
    int stepsY = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        stepsX = -1;
        break;
    case Qt::Key_Right:
        stepsX = 1;
        break;
    case Qt::Key_Up:
        stepsY = -1;
        break;
    case Qt::Key_Down:
        stepsY = 1;
        break;
    default:
        return false;
    }
    m_register->nudgeSelection(stepsX, stepsY, modifiers == Qt::ShiftModifier);
    return true;
}

void DesignStage::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && !event->isAutoRepeat()) {
        event->accept();
        runCommand(&DesignStage::deleteSelected);
        return;
    }
    QFrame::keyReleaseEvent(event);
}

void DesignStage::runCommand(void (DesignStage::*command)())
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
