#include "designer/DesignRegister.h"

#include "designer/ComponentPalette.h"
#include "designer/DesignControls.h"
#include "designer/DesignMessages.h"
#include "designer/DesignStage.h"
#include "designer/Outline.h"

#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/ReportClasses.h"
#include "model/ReportControl.h"

#include <QCoreApplication>
#include <QScopeGuard>

namespace {

void giveName(QWidget *component, const QString &name)
{
    if (auto *control = qobject_cast<ReportControl *>(component))
        control->setName(name);
    else
        component->setObjectName(name);
}

} // namespace

void DesignRegister::beginCreate(QWidget *control, QWidget *hitControl, const QPoint &pos,
                                 ShiftState)
{
    if (!askSelect(m_stage, hitControl).testFlag(saPlace))
        return;
    const QPoint q = containerPoint(control, pos);
    if (!m_container)
        return;
    m_shape = createShape(outlineColor(), m_penWidth);
    m_start = snapPoint(q);
    m_shape->setOrigin(m_container->mapToGlobal(m_start));
    m_shape->resetSingle();
    m_shape->clipTo(m_container);
}

void DesignRegister::dragCreate(QWidget *control, const QPoint &pos, ShiftState)
{
    if (!m_shape || !m_container)
        return;
    const QPoint p = toContainer(control, snapPoint(pos));
    m_shape->setOutlineSize(p.x() - m_start.x(), p.y() - m_start.y());
    m_shape->moveTo(m_container->mapToGlobal(m_start));
}

void DesignRegister::endCreate(QWidget *control, const QPoint &pos, ShiftState)
{
    QPoint p = snapPoint(pos);
    if (m_shape) {
        p = toContainer(control, p);
        finishLeftoverShape();
        m_newControl = nullptr;
        try {
            if (QWidget *templateControl = m_palette ? m_palette->currentTemplate() : nullptr)
                cloneTemplate(templateControl, m_container);
        } catch (...) {
            // A template that cannot be copied simply creates nothing.
            m_newControl = nullptr;
        }
        if (QWidget *created = m_newControl) {
            nameControl(created);
            DesignControls::setBounds(
                created,
                QRect(QPoint(std::min(m_start.x(), p.x()), std::min(m_start.y(), p.y())),
                      QSize(std::abs(p.x() - m_start.x()), std::abs(p.y() - m_start.y()))));
            ensureSelectionList();
            if (DesignControls::isWindowed(created))
                coverControl(created);
            m_targets->clearTargets();
            m_targets->addTarget(created);
            m_targets->refreshTargets();
        }
    }
    if (m_palette) {
        m_palette->resetToArrow();
        m_palette->setCurrent(nullptr);
    }
    m_newControl = nullptr;
}

QString DesignRegister::storedClassName(const QWidget *component) const
{
    if (m_stage)
        return m_stage->classRegistry().storedClassName(component);
    return QString::fromLatin1(component->metaObject()->className());
}

QString DesignRegister::clashFreeName(QWidget *component, const QString &proposed) const
{
    if (!m_owner)
        return proposed;
    return ObjectStream::uniqueComponentName(*m_owner, proposed, storedClassName(component));
}

ReaderHooks DesignRegister::creationHooks()
{
    // Every component read is new to the design: a name of its own, and
    // controlCreated once the current gesture or command has finished.
    ReaderHooks hooks;
    hooks.onSetName = [this](QWidget *component, const QString &proposed) {
        QString name = clashFreeName(component, proposed);
        postCreated(component);
        return name;
    };
    return hooks;
}

void DesignRegister::postCreated(QWidget *component)
{
    if (m_stage)
        QCoreApplication::postEvent(
            m_stage, new DesignMessageEvent(DesignMessage::ControlCreated, component));
}

QWidget *DesignRegister::cloneTemplate(QWidget *templateControl, QWidget *parent)
{
    if (!parent)
        throw StreamError(QStringLiteral("No parent for the new control"));
    ComponentOwner *templateOwner = DesignControls::ownerOf(templateControl);
    ComponentOwner *parentOwner = DesignControls::ownerOf(parent);
    if (!templateOwner)
        throw StreamError(QStringLiteral("The template has no owner"));
    if (!parentOwner)
        parentOwner = m_owner;
    if (!parentOwner)
        throw StreamError(QStringLiteral("The stage has no owner"));
    const ClassRegistry &registry = m_stage ? m_stage->classRegistry() : reportClasses();

    const QString name = templateControl->objectName();
    giveName(templateControl, QString());
    const auto restoreName = qScopeGuard([&] { giveName(templateControl, name); });
    const QByteArray stream = ObjectStream::writeBlock({templateControl}, *templateOwner, registry);

    const QList<QWidget *> read =
        ObjectStream::readStreams(stream, *parentOwner, parent, registry, creationHooks());
    for (QWidget *control : read)
        controlRead(control);
    return read.value(0);
}

void DesignRegister::controlRead(QWidget *control)
{
    m_newControl = control;
}

void DesignRegister::nameControl(QWidget *component)
{
    if (!m_owner || !component)
        return;
    giveName(component, m_owner->uniqueName(storedClassName(component)));
}
