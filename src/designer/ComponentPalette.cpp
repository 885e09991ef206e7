#include "designer/ComponentPalette.h"

#include "designer/PaletteGlyphs.h"

#include "model/ComponentOwner.h"

#include <QButtonGroup>

PaletteBase::PaletteBase(ComponentOwner *owner, QWidget *parent) : QFrame(parent), m_owner(owner) {}

ComponentPalette::ComponentPalette(ComponentOwner *owner, QWidget *parent)
    : PaletteBase(owner, parent), m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
}

ComponentPalette::~ComponentPalette()
{
    // The buttons go after the palette's own parts: they must not reach back.
    for (PaletteButton *button : std::as_const(m_buttons))
        button->leavePalette();
}

void ComponentPalette::joinGroup(QToolButton *button)
{
    if (m_group->buttons().contains(button))
        return;
    button->setCheckable(true);
    m_group->addButton(button);
}

void ComponentPalette::registerButton(PaletteButton *button)
{
    m_buttons.append(button);
    joinGroup(button);
}

void ComponentPalette::setDesigning(bool value)
{
    m_designing = value;
    if (!value) {
        if (m_arrow)
            m_arrow->setEnabled(false);
        for (PaletteButton *button : std::as_const(m_buttons))
            button->setEnabled(false);
        return;
    }
    if (m_arrow) {
        m_arrow->setChecked(true);
        m_arrow->setEnabled(true);
    }
    for (PaletteButton *button : std::as_const(m_buttons)) {
        QObject *found = owner() ? owner()->findComponent(button->templateName()) : nullptr;
        button->setTemplate(qobject_cast<QWidget *>(found));
        button->setEnabled(true);
    }
}

void ComponentPalette::setCurrent(QObject *item)
{
    if (!item || item == m_arrow.data())
        m_current = nullptr;
    else
        m_current = qobject_cast<QWidget *>(item);
}

void ComponentPalette::setArrow(ArrowButton *button)
{
    if (!button)
        return;
    m_arrow = button;
    joinGroup(button);
}

void ComponentPalette::resetToArrow()
{
    if (m_arrow)
        m_arrow->setChecked(true);
}

QString ComponentPalette::freeName(const QString &stem) const
{
    for (int number = 1;; ++number) {
        QString name = stem + QString::number(number);
        if (!owner() || !owner()->findComponent(name))
            return name;
    }
}

QRect ComponentPalette::nextButtonRect()
{
    if (width() < buttonWidth)
        resize(buttonWidth + 24, height());
    int k = int(m_buttons.size()) + (m_arrow ? 1 : 0);
    const int perRow = std::max(1, width() / buttonWidth);
    int row = 0;
    while (k > perRow) {
        k -= perRow;
        ++row;
    }
    return QRect(buttonWidth * (k - 1) + 8, buttonHeight * row + 8, buttonWidth, buttonHeight);
}

ArrowButton *ComponentPalette::createArrowButton()
{
    if (m_arrow)
        return m_arrow;
    auto *arrow = new ArrowButton(this);
    arrow->setObjectName(freeName(QStringLiteral("ArrowButton")));
    if (owner())
        owner()->insertComponent(arrow);
    arrow->setIcon(PaletteGlyphs::arrow());
    arrow->setGeometry(8, 8, buttonWidth, buttonHeight);
    setArrow(arrow);
    arrow->setPalette(this);
    return arrow;
}

PaletteButton *ComponentPalette::addTemplateButton(const QString &templateName,
                                                   const QString &className)
{
    auto *button = new PaletteButton(this);
    button->setObjectName(freeName(QStringLiteral("DsnButton")));
    if (owner())
        owner()->insertComponent(button);
    button->setGeneName(templateName);
    button->setIcon(PaletteGlyphs::forClass(className));
    if (buttonCaption) {
        button->setText(className.mid(1).toUpper());
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    }
    // Laid out after the buttons before it, the arrow counted in.
    button->setGeometry(nextButtonRect());
    return button;
}

PaletteButton::PaletteButton(ComponentPalette *palette) : QToolButton(palette), m_palette(palette)
{
    setEnabled(false);
    palette->registerButton(this);
    connect(this, &QToolButton::clicked, this, &PaletteButton::chosen);
}

PaletteButton::~PaletteButton()
{
    if (m_palette)
        m_palette->m_buttons.removeOne(this);
}

void PaletteButton::chosen()
{
    if (!isChecked() || !m_palette)
        return;
    if (m_template) {
        m_palette->setCurrent(m_template);
        return;
    }
    m_palette->resetToArrow();
    m_palette->setCurrent(nullptr);
}

ArrowButton::ArrowButton(QWidget *parent) : QToolButton(parent)
{
    setEnabled(false);
    setCheckable(true);
    connect(this, &QToolButton::clicked, this, &ArrowButton::chosen);
}

void ArrowButton::chosen()
{
    if (isChecked() && m_palette)
        m_palette->setCurrent(this);
}
