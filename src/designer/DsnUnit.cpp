#include "designer/DsnUnit.h"

#include "designer/DsnControls.h"
#include "designer/DsnCover.h"
#include "designer/DsnHandle.h"
#include "designer/DsnInspectorBase.h"
#include "designer/DsnOverlay.h"
#include "designer/DsnPanel.h"
#include "designer/DsnPartner.h"
#include "designer/DsnShape.h"
#include "designer/DsnStage.h"

#include <QMenu>

#include <algorithm>

// Keeps the register told of the destruction of every selected control.
class TDsnSelectionWatch : public TReceiveTargets
{
public:
    explicit TDsnSelectionWatch(TDsnRegister *dsnRegister) : m_register(dsnRegister) {}
    void Add(QWidget *control) override { m_register->watch(control); }

private:
    TDsnRegister *m_register;
};

QColor colorOfValue(qint64 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

TDsnRegister::TDsnRegister(ComponentOwner *owner, QObject *parent)
    : QObject(parent), m_owner(owner), m_watch(std::make_unique<TDsnSelectionWatch>(this))
{
}

TDsnRegister::~TDsnRegister()
{
    m_shape.reset();
    m_handler.reset();
    // Released covers leave their controls alone: those may be going too.
    for (TDsnCtrl *cover : std::as_const(m_covers)) {
        cover->release();
        delete cover;
    }
    m_covers.clear();
    if (m_targets)
        m_targets->Clear();
    m_collector.reset();
    m_targets.reset();
    for (TDsnPartner *partner : std::as_const(m_partners))
        partner->registerDestroyed(this);
    if (m_stage && m_stage->Register() == this)
        m_stage->setRegister(nullptr);
}

TDsnStage *TDsnRegister::DsnStage() const
{
    return m_stage.data();
}

void TDsnRegister::setDsnStage(TDsnStage *stage)
{
    m_stage = stage;
    if (!stage)
        return;
    m_moveWidth = stage->Rubberband.MoveWidth;
    m_moveHeight = stage->Rubberband.MoveHeight;
    m_color = stage->Rubberband.Color;
    m_penWidth = stage->Rubberband.PenWidth;
    stage->setRegister(this);
}

TCustomCmpPlt *TDsnRegister::DsnPanel() const
{
    return m_palette.data();
}

void TDsnRegister::setDsnPanel(TCustomCmpPlt *palette)
{
    m_palette = palette;
}

TCustomInspector *TDsnRegister::DsnInspector() const
{
    return m_inspector.data();
}

void TDsnRegister::setDsnInspector(TCustomInspector *inspector)
{
    m_inspector = inspector;
}

TArrowButton *TDsnRegister::ArrowButton() const
{
    return m_arrow.data();
}

void TDsnRegister::setArrowButton(TArrowButton *button)
{
    m_arrow = button;
}

QColor TDsnRegister::outlineColor() const
{
    return colorOfValue(m_color);
}

void TDsnRegister::SetDesigning(bool value)
{
    if (value == m_designing)
        return;
    m_designing = value;
    const QList<TDsnPartner *> partners = m_partners;
    for (TDsnPartner *partner : partners)
        partner->DesignChanged(value);
    if (value) {
        if (m_stage) {
            m_stage->setRegister(this);
            CoverAll();
            BuildCoverMenu();
            m_stage->setFocus();
        }
        if (m_palette) {
            if (m_arrow) {
                m_palette->SetArrow(m_arrow);
                m_arrow->SetPalette(m_palette);
            }
            m_palette->SetDesigning(true);
        }
        if (m_inspector) {
            m_inspector->SetDesigning(true);
            if (m_stage)
                m_inspector->setStageWindow(m_stage);
        }
        return;
    }
    m_shape.reset();
    if (m_stage) {
        UncoverAll();
        m_stage->DesignEnded();
    }
    restoreCoverMenu();
    if (m_palette) {
        m_palette->SetDesigning(false);
        m_palette->SetCurrent(nullptr);
    }
    if (m_inspector)
        m_inspector->SetDesigning(false);
    m_collector.reset();
    m_handler.reset();
    m_targets.reset();
}

void TDsnRegister::CreateTargets()
{
    m_targets = std::make_unique<TTargetList>();
    m_handler.reset();
    m_collector.reset();
    if (m_stage) {
        m_handler = CreateHandler();
        THandleSettings settings = m_handler->settings();
        settings.outlineColor = outlineColor();
        settings.outlinePenWidth = m_penWidth;
        settings.stepX = m_moveWidth;
        settings.stepY = m_moveHeight;
        settings.overlay = m_stage->outlineOverlay();
        m_handler->setSettings(settings);
        m_targets->ReceiverAdded(m_handler.get());
    }
    if (m_inspector) {
        m_collector = m_inspector->CreateCollector();
        if (m_collector) {
            m_targets->ReceiverAdded(m_collector.get());
            m_collector->Bind(m_inspector);
            QStringList names;
            QStringList captions;
            m_inspector->GetPropLists(names, captions);
            m_collector->Load(names, captions, m_inspector->OutProps());
        }
    }
    for (TReceiveTargets *receiver : std::as_const(m_receivers))
        m_targets->ReceiverAdded(receiver);
    m_targets->ReceiverAdded(m_watch.get());
}

TTargetList *TDsnRegister::EnsureTargets()
{
    if (!m_targets)
        CreateTargets();
    return m_targets.get();
}

std::unique_ptr<TMultiHandler> TDsnRegister::CreateHandler()
{
    return std::make_unique<TMultiHandler>();
}

std::unique_ptr<TMultiShape> TDsnRegister::CreateShape(const QColor &color, int penWidth)
{
    return std::make_unique<TMultiShape>(m_stage ? m_stage->outlineOverlay() : nullptr, color,
                                         penWidth);
}

void TDsnRegister::RenewShape(const QColor &color, int penWidth)
{
    m_shape.reset();
    m_shape = CreateShape(color, penWidth);
}

bool TDsnRegister::SameParent() const
{
    if (!m_targets)
        return true;
    const QWidget *parent = nullptr;
    bool first = true;
    for (const QWidget *control : m_targets->items()) {
        if (!control)
            continue;
        if (first) {
            parent = control->parentWidget();
            first = false;
        } else if (control->parentWidget() != parent) {
            return false;
        }
    }
    return true;
}

QPoint TDsnRegister::SnapPoint(const QPoint &point) const
{
    QPoint snapped = point;
    if (m_moveWidth > 0)
        snapped.setX(m_moveWidth * (point.x() / m_moveWidth));
    if (m_moveHeight > 0)
        snapped.setY(m_moveHeight * (point.y() / m_moveHeight));
    return snapped;
}

TSelectAccept TDsnRegister::askSelect(QObject *sender, QWidget *component) const
{
    TSelectAccept answer = AllSelectFlags;
    if (m_stage && m_stage->OnSelectQuery)
        m_stage->OnSelectQuery(sender, component, answer);
    return answer;
}

TCoverAccept TDsnRegister::askCover(QObject *sender, QWidget *component) const
{
    TCoverAccept answer = caCover;
    if (m_stage && m_stage->OnCoverQuery)
        m_stage->OnCoverQuery(sender, component, answer);
    return answer;
}

void TDsnRegister::ClearSelection()
{
    if (!m_targets)
        return;
    m_targets->Clear();
    m_targets->Update();
}

void TDsnRegister::AddPartner(TDsnPartner *partner)
{
    if (partner && !m_partners.contains(partner))
        m_partners.append(partner);
}

void TDsnRegister::RemovePartner(TDsnPartner *partner)
{
    m_partners.removeOne(partner);
}

void TDsnRegister::AddReceiver(TReceiveTargets *receiver)
{
    if (receiver && !m_receivers.contains(receiver))
        m_receivers.append(receiver);
}

void TDsnRegister::RemoveReceiver(TReceiveTargets *receiver)
{
    m_receivers.removeOne(receiver);
    if (m_targets)
        m_targets->ReceiverRemoved(receiver);
}

bool TDsnRegister::CanSelectControl(QWidget *control)
{
    if (!m_stage || !control)
        return false;
    bool onStage = false;
    for (QWidget *parent = control->parentWidget(); parent; parent = parent->parentWidget()) {
        if (parent == m_stage) {
            onStage = true;
            break;
        }
        if (parent->isWindow())
            break;
    }
    if (!onStage)
        return false;
    QWidget *covered = DsnControls::isWindowed(control) ? control : control->parentWidget();
    if (askCover(this, covered) != caCover)
        return false;
    return askSelect(this, control).testFlag(saSelect);
}

void TDsnRegister::SelectOnly(QWidget *control)
{
    EnsureTargets();
    m_targets->Clear();
    m_targets->Add(control);
    m_targets->Update();
}

void TDsnRegister::TargetsMoved(int, int)
{
    if (m_collector)
        m_collector->Recollect();
}

void TDsnRegister::TargetsResized(const QRect &)
{
    if (m_collector) {
        m_collector->Recollect();
        m_collector->Update();
    }
}

void TDsnRegister::watch(QObject *component)
{
    connect(component, &QObject::destroyed, this, &TDsnRegister::componentDestroyed,
            Qt::UniqueConnection);
}

void TDsnRegister::componentDestroyed(QObject *component)
{
    for (qsizetype i = m_covers.size() - 1; i >= 0; --i) {
        TDsnCtrl *cover = m_covers.at(i);
        if (cover->identity() != component)
            continue;
        CoverRemoved(cover);
        cover->release();
        m_covers.removeAt(i);
        if (cover == m_lastCover)
            m_lastCover = nullptr;
        cover->scheduleRelease(m_stage);
    }
    if (!m_targets)
        return;
    const int index = int(m_targets->items().indexOf(static_cast<QWidget *>(component)));
    if (index < 0)
        return;
    m_targets->TargetNil(index);
    TargetRemoved(nullptr);
    const QList<QWidget *> &rest = m_targets->items();
    if (std::any_of(rest.begin(), rest.end(),
                    [](QWidget *control) { return control && DsnControls::isGoingAway(control); })) {
        // A parent is taking its children along: what is left goes too, and
        // no handles may be made for it on the way.
        m_targets->Clear();
        m_targets->Update();
        return;
    }
    m_targets->Delete(index);
    if (!SameParent())
        m_targets->Clear();
    m_targets->Update();
}

void TDsnRegister::BuildCoverMenu()
{
    if (!m_stage || (!m_stage->CoverMenu && m_stage->SelfProps.isEmpty()))
        return;
    m_coverMenu = new QMenu(m_stage);
    m_borrowed = 0;
    if (QMenu *borrowed = m_stage->CoverMenu) {
        const QList<QAction *> actions = borrowed->actions();
        for (QAction *action : actions) {
            borrowed->removeAction(action);
            m_coverMenu->addAction(action);
        }
        m_borrowed = int(actions.size());
    }
}

void TDsnRegister::restoreCoverMenu()
{
    if (!m_coverMenu)
        return;
    if (m_stage && m_stage->CoverMenu) {
        const QList<QAction *> actions = m_coverMenu->actions().mid(0, m_borrowed);
        for (QAction *action : actions) {
            m_coverMenu->removeAction(action);
            m_stage->CoverMenu->addAction(action);
        }
    }
    delete m_coverMenu.data();
    m_borrowed = 0;
}
