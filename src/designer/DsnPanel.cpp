#include "designer/DsnPanel.h"

#include "designer/DsnGlyphs.h"

#include "model/ComponentOwner.h"

#include <QButtonGroup>

TCustomCmpPlt::TCustomCmpPlt(ComponentOwner *owner, QWidget *parent)
    : QFrame(parent), m_owner(owner)
{
}

TDsnPanel::TDsnPanel(ComponentOwner *owner, QWidget *parent)
    : TCustomCmpPlt(owner, parent), m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
}

TDsnPanel::~TDsnPanel()
{
    // The buttons go after the palette's own parts: they must not reach back.
    for (TDsnButton *button : std::as_const(m_buttons))
        button->leavePalette();
}

void TDsnPanel::joinGroup(QToolButton *button)
{
    if (m_group->buttons().contains(button))
        return;
    button->setCheckable(true);
    m_group->addButton(button);
}

void TDsnPanel::registerButton(TDsnButton *button)
{
    m_buttons.append(button);
    joinGroup(button);
}

void TDsnPanel::SetDesigning(bool value)
{
    m_designing = value;
    if (!value) {
        if (m_arrow)
            m_arrow->setEnabled(false);
        for (TDsnButton *button : std::as_const(m_buttons))
            button->setEnabled(false);
        return;
    }
    if (m_arrow) {
        m_arrow->setChecked(true);
        m_arrow->setEnabled(true);
    }
    for (TDsnButton *button : std::as_const(m_buttons)) {
        QObject *found = owner() ? owner()->findComponent(button->GeneName()) : nullptr;
        button->setTemplate(qobject_cast<QWidget *>(found));
        button->setEnabled(true);
    }
}

void TDsnPanel::SetCurrent(QObject *item)
{
    if (!item || item == m_arrow.data())
        m_current = nullptr;
    else
        m_current = qobject_cast<QWidget *>(item);
}

void TDsnPanel::SetArrow(TArrowButton *button)
{
    if (!button)
        return;
    m_arrow = button;
    joinGroup(button);
}

void TDsnPanel::ResetToArrow()
{
    if (m_arrow)
        m_arrow->setChecked(true);
}

QString TDsnPanel::freeName(const QString &stem) const
{
    for (int number = 1;; ++number) {
        const QString name = stem + QString::number(number);
        if (!owner() || !owner()->findComponent(name))
            return name;
    }
}

QRect TDsnPanel::nextButtonRect()
{
    if (width() < BtnWidth)
        resize(BtnWidth + 24, height());
    int k = int(m_buttons.size()) + (m_arrow ? 1 : 0);
    const int perRow = std::max(1, width() / BtnWidth);
    int row = 0;
    while (k > perRow) {
        k -= perRow;
        ++row;
    }
    return QRect(BtnWidth * (k - 1) + 8, BtnHeight * row + 8, BtnWidth, BtnHeight);
}

TArrowButton *TDsnPanel::createArrowButton()
{
    if (m_arrow)
        return m_arrow;
    auto *arrow = new TArrowButton(this);
    arrow->setObjectName(freeName(QStringLiteral("ArrowButton")));
    if (owner())
        owner()->insertComponent(arrow);
    arrow->setIcon(DsnGlyphs::arrow());
    arrow->setGeometry(8, 8, BtnWidth, BtnHeight);
    SetArrow(arrow);
    arrow->SetPalette(this);
    return arrow;
}

TDsnButton *TDsnPanel::addTemplateButton(const QString &geneName, const QString &className)
{
    auto *button = new TDsnButton(this);
    button->setObjectName(freeName(QStringLiteral("DsnButton")));
    if (owner())
        owner()->insertComponent(button);
    button->setGeneName(geneName);
    button->setIcon(DsnGlyphs::forClass(className));
    if (BtnCaption) {
        button->setText(className.mid(1).toUpper());
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    }
    // Laid out after the buttons before it, the arrow counted in.
    button->setGeometry(nextButtonRect());
    return button;
}

TDsnButton::TDsnButton(TDsnPanel *palette) : QToolButton(palette), m_palette(palette)
{
    setEnabled(false);
    palette->registerButton(this);
    connect(this, &QToolButton::clicked, this, &TDsnButton::chosen);
}

TDsnButton::~TDsnButton()
{
    if (m_palette)
        m_palette->m_buttons.removeOne(this);
}

void TDsnButton::chosen()
{
    if (!isChecked() || !m_palette)
        return;
    if (m_template) {
        m_palette->SetCurrent(m_template);
        return;
    }
    m_palette->ResetToArrow();
    m_palette->SetCurrent(nullptr);
}

TArrowButton::TArrowButton(QWidget *parent) : QToolButton(parent)
{
    setEnabled(false);
    setCheckable(true);
    connect(this, &QToolButton::clicked, this, &TArrowButton::chosen);
}

void TArrowButton::chosen()
{
    if (isChecked() && m_palette)
        m_palette->SetCurrent(this);
}
