#include "designer/DsnUnit.h"

#include "designer/DsnControls.h"
#include "designer/DsnMessages.h"
#include "designer/DsnPanel.h"
#include "designer/DsnShape.h"
#include "designer/DsnStage.h"

#include "model/ComponentOwner.h"
#include "model/ObjectStream.h"
#include "model/ReportControl.h"
#include "model/mKomponents.h"

#include <QCoreApplication>
#include <QScopeGuard>

namespace {

void giveName(QWidget *component, const QString &name)
{
    if (auto *control = qobject_cast<TReportControl *>(component))
        control->setName(name);
    else
        component->setObjectName(name);
}

} // namespace

void TDsnRegister::BeginCreate(QWidget *control, QWidget *hitControl, const QPoint &pos,
                               TShiftState)
{
    if (!askSelect(m_stage, hitControl).testFlag(saPlace))
        return;
    const QPoint q = containerPoint(control, pos);
    if (!m_container)
        return;
    m_shape = CreateShape(outlineColor(), m_penWidth);
    m_start = SnapPoint(q);
    m_shape->setOrigin(m_container->mapToGlobal(m_start));
    m_shape->ResetSingle();
    m_shape->ClipTo(m_container);
}

void TDsnRegister::DragCreate(QWidget *control, const QPoint &pos, TShiftState)
{
    if (!m_shape || !m_container)
        return;
    const QPoint p = toContainer(control, SnapPoint(pos));
    m_shape->SetOutlineSize(p.x() - m_start.x(), p.y() - m_start.y());
    m_shape->MoveTo(m_container->mapToGlobal(m_start));
}

void TDsnRegister::EndCreate(QWidget *control, const QPoint &pos, TShiftState)
{
    QPoint p = SnapPoint(pos);
    if (m_shape) {
        p = toContainer(control, p);
        finishLeftoverShape();
        m_newControl = nullptr;
        try {
            if (QWidget *templateControl = m_palette ? m_palette->CurrentTemplate() : nullptr)
                CloneTemplate(templateControl, m_container);
        } catch (...) {
            // A template that cannot be copied simply creates nothing.
            m_newControl = nullptr;
        }
        if (QWidget *created = m_newControl) {
            NameControl(created);
            DsnControls::setBounds(created, QRect(QPoint(std::min(m_start.x(), p.x()),
                                                         std::min(m_start.y(), p.y())),
                                                  QSize(std::abs(p.x() - m_start.x()),
                                                        std::abs(p.y() - m_start.y()))));
            EnsureTargets();
            if (DsnControls::isWindowed(created))
                CoverControl(created);
            m_targets->Clear();
            m_targets->Add(created);
            m_targets->Update();
        }
    }
    if (m_palette) {
        m_palette->ResetToArrow();
        m_palette->SetCurrent(nullptr);
    }
    m_newControl = nullptr;
}

QString TDsnRegister::clashFreeName(QWidget *component, const QString &proposed) const
{
    if (!m_owner)
        return proposed;
    return ObjectStream::uniqueComponentName(
        *m_owner, proposed, QString::fromLatin1(component->metaObject()->className()));
}

ReaderHooks TDsnRegister::creationHooks()
{
    // Every component read is new to the design: a name of its own, and
    // OnControlCreate once the current gesture or command has finished.
    ReaderHooks hooks;
    hooks.onSetName = [this](QWidget *component, const QString &proposed) {
        const QString name = clashFreeName(component, proposed);
        postCreated(component);
        return name;
    };
    return hooks;
}

void TDsnRegister::postCreated(QWidget *component)
{
    if (m_stage)
        QCoreApplication::postEvent(m_stage,
                                    new TDsnMessageEvent(DsnMessage::ControlCreated, component));
}

QWidget *TDsnRegister::CloneTemplate(QWidget *templateControl, QWidget *parent)
{
    if (!parent)
        throw StreamError(QStringLiteral("No parent for the new control"));
    ComponentOwner *templateOwner = DsnControls::ownerOf(templateControl);
    ComponentOwner *parentOwner = DsnControls::ownerOf(parent);
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
        ControlRead(control);
    return read.value(0);
}

void TDsnRegister::ControlRead(QWidget *control)
{
    m_newControl = control;
}

void TDsnRegister::NameControl(QWidget *component)
{
    if (!m_owner || !component)
        return;
    giveName(component, m_owner->uniqueName(QString::fromLatin1(component->metaObject()->className())));
}
