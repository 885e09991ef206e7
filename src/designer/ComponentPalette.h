#pragma once

#include <QFrame>
#include <QPointer>
#include <QToolButton>

class ComponentOwner;
class QButtonGroup;
class ArrowButton;
class PaletteButton;

// The palette interface a register talks to.
class PaletteBase : public QFrame
{
    Q_OBJECT

public:
    // The palette's owner holds the templates its buttons name.
    PaletteBase(ComponentOwner *owner, QWidget *parent = nullptr);

    ComponentOwner *owner() const { return m_owner; }

    virtual void setDesigning(bool value) = 0;
    virtual QWidget *currentTemplate() const = 0;
    // The arrow button or none leave no template current.
    virtual void setCurrent(QObject *item) = 0;
    virtual void setArrow(ArrowButton *button) = 0;
    virtual void resetToArrow() = 0;

private:
    ComponentOwner *m_owner;
};

// The palette used: an arrow button and one button per template, exactly
// one of them down at a time.
class ComponentPalette : public PaletteBase
{
    Q_OBJECT

public:
    static constexpr int groupIndex = 2301;

    ComponentPalette(ComponentOwner *owner, QWidget *parent = nullptr);
    ~ComponentPalette() override;

    void setDesigning(bool value) override;
    QWidget *currentTemplate() const override { return m_current.data(); }
    void setCurrent(QObject *item) override;
    void setArrow(ArrowButton *button) override;
    void resetToArrow() override;

    bool designing() const { return m_designing; }
    ArrowButton *arrowButton() const { return m_arrow.data(); }
    const QList<PaletteButton *> &buttons() const { return m_buttons; }

    // Run-time building, after the layout and naming rules of a palette
    // edited as a component: an arrow button first, then one button per
    // template named by templateName.
    ArrowButton *createArrowButton();
    PaletteButton *addTemplateButton(const QString &templateName, const QString &className);

    int buttonWidth = 90;
    int buttonHeight = 50;
    bool buttonCaption = true;

private:
    friend class PaletteButton;
    friend class ArrowButton;

    void registerButton(PaletteButton *button);
    void joinGroup(QToolButton *button);
    QString freeName(const QString &stem) const;
    QRect nextButtonRect();

    bool m_designing = false;
    QPointer<ArrowButton> m_arrow;
    QPointer<QWidget> m_current;
    QList<PaletteButton *> m_buttons;
    QButtonGroup *m_group;
};

// A palette button that stands for the template named templateName.
class PaletteButton : public QToolButton
{
    Q_OBJECT

public:
    // Disabled until design mode starts; joins palette's button list.
    explicit PaletteButton(ComponentPalette *palette);
    ~PaletteButton() override;

    QString templateName() const { return m_geneName; }
    void setGeneName(const QString &name) { m_geneName = name.left(255); }
    QWidget *templateControl() const { return m_template.data(); }
    void setTemplate(QWidget *control) { m_template = control; }
    ComponentPalette *palette() const { return m_palette.data(); }
    void leavePalette() { m_palette = nullptr; }

private:
    void chosen();

    QPointer<ComponentPalette> m_palette;
    QString m_geneName;
    QPointer<QWidget> m_template;
};

// The palette's pointer-mode button.
class ArrowButton : public QToolButton
{
    Q_OBJECT

public:
    explicit ArrowButton(QWidget *parent = nullptr);

    PaletteBase *palette() const { return m_palette.data(); }
    void setPalette(PaletteBase *palette) { m_palette = palette; }

private:
    void chosen();

    QPointer<PaletteBase> m_palette;
};
