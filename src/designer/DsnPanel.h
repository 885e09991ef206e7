#pragma once

#include <QFrame>
#include <QPointer>
#include <QToolButton>

class ComponentOwner;
class QButtonGroup;
class TArrowButton;
class TDsnButton;

// The palette interface a register talks to.
class TCustomCmpPlt : public QFrame
{
    Q_OBJECT

public:
    // The palette's owner holds the templates its buttons name.
    TCustomCmpPlt(ComponentOwner *owner, QWidget *parent = nullptr);

    ComponentOwner *owner() const { return m_owner; }

    virtual void SetDesigning(bool value) = 0;
    virtual QWidget *CurrentTemplate() const = 0;
    // The arrow button or none leave no template current.
    virtual void SetCurrent(QObject *item) = 0;
    virtual void SetArrow(TArrowButton *button) = 0;
    virtual void ResetToArrow() = 0;

private:
    ComponentOwner *m_owner;
};

// The palette used: an arrow button and one button per template, exactly
// one of them down at a time.
class TDsnPanel : public TCustomCmpPlt
{
    Q_OBJECT

public:
    static constexpr int GroupIndex = 2301;

    TDsnPanel(ComponentOwner *owner, QWidget *parent = nullptr);
    ~TDsnPanel() override;

    void SetDesigning(bool value) override;
    QWidget *CurrentTemplate() const override { return m_current.data(); }
    void SetCurrent(QObject *item) override;
    void SetArrow(TArrowButton *button) override;
    void ResetToArrow() override;

    bool designing() const { return m_designing; }
    TArrowButton *arrowButton() const { return m_arrow.data(); }
    const QList<TDsnButton *> &buttons() const { return m_buttons; }

    // Run-time building, after the layout and naming rules of a palette
    // edited as a component: an arrow button first, then one button per
    // template named by geneName.
    TArrowButton *createArrowButton();
    TDsnButton *addTemplateButton(const QString &geneName, const QString &className);

    int BtnWidth = 90;
    int BtnHeight = 50;
    bool BtnCaption = true;

private:
    friend class TDsnButton;
    friend class TArrowButton;

    void registerButton(TDsnButton *button);
    void joinGroup(QToolButton *button);
    QString freeName(const QString &stem) const;
    QRect nextButtonRect();

    bool m_designing = false;
    QPointer<TArrowButton> m_arrow;
    QPointer<QWidget> m_current;
    QList<TDsnButton *> m_buttons;
    QButtonGroup *m_group;
};

// A palette button that stands for the template named GeneName.
class TDsnButton : public QToolButton
{
    Q_OBJECT

public:
    // Disabled until design mode starts; joins palette's button list.
    explicit TDsnButton(TDsnPanel *palette);
    ~TDsnButton() override;

    QString GeneName() const { return m_geneName; }
    void setGeneName(const QString &name) { m_geneName = name.left(255); }
    QWidget *templateControl() const { return m_template.data(); }
    void setTemplate(QWidget *control) { m_template = control; }
    TDsnPanel *palette() const { return m_palette.data(); }
    void leavePalette() { m_palette = nullptr; }

private:
    void chosen();

    QPointer<TDsnPanel> m_palette;
    QString m_geneName;
    QPointer<QWidget> m_template;
};

// The palette's pointer-mode button.
class TArrowButton : public QToolButton
{
    Q_OBJECT

public:
    explicit TArrowButton(QWidget *parent = nullptr);

    TCustomCmpPlt *palette() const { return m_palette.data(); }
    void SetPalette(TCustomCmpPlt *palette) { m_palette = palette; }

private:
    void chosen();

    QPointer<TCustomCmpPlt> m_palette;
};
