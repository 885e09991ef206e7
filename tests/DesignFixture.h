#pragma once

// A report page on a design stage, as a report window holds it: a header
// and a detail band, three text items and a code block on the detail band,
// a TDsnDpRegister with move steps 6 and 18, the report palette with its
// five templates, and the report window's answers to the stage's queries.
// Mouse input goes through the window system, so hit testing, mouse grabs
// and widgets transparent to the pointer act as they do for a user.

#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

#include "designer/DsnInspectorBase.h"
#include "designer/DsnPanel.h"
#include "designer/DsnStage.h"
#include "designer/DsnSubDp.h"
#include "designer/DsnTemplates.h"
#include "designer/ReportStageAnswers.h"

#include "model/ComponentOwner.h"
#include "model/mKomponents.h"

#include <memory>

struct DesignFixture
{
    ComponentOwner frameOwner;
    ComponentOwner owner;
    std::unique_ptr<QWidget> window;
    TDsnStage *stage = nullptr;
    TmPage *page = nullptr;
    TmBand *header = nullptr;
    TmBand *detail = nullptr;
    TmText *text1 = nullptr;
    TmText *text2 = nullptr;
    TmText *text3 = nullptr;
    TMBlockCode *code = nullptr;
    TDsnPanel *palette = nullptr;
    QWidget *holder = nullptr;
    TDsnRegister *reg = nullptr;

    template<class Register = TDsnDpRegister>
    void build()
    {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("Design stage"));
        stage = new TDsnStage(&owner, window.get());
        stage->setObjectName(QStringLiteral("DsnStageReport"));
        stage->Rubberband = {0x808080, 2, 6, 18};
        page = new TmPage(&owner, stage);
        page->setNewReportValues();
        page->setName(QStringLiteral("mPage1"));
        stage->setGeometry(0, 40, page->width(), page->height());
        header = new TmBand(&owner, page);
        header->setName(QStringLiteral("mBand1"));
        detail = new TmBand(&owner, page);
        detail->setName(QStringLiteral("mBand2"));
        detail->setTypeBand(Detail);
        detail->setBounds(detail->x(), detail->y(), detail->width(), 108);
        text1 = addText(QStringLiteral("mText1"), QRect(12, 18, 60, 18));
        text2 = addText(QStringLiteral("mText2"), QRect(84, 18, 60, 18));
        text3 = addText(QStringLiteral("mText3"), QRect(156, 18, 60, 18));
        code = new TMBlockCode(&owner, detail);
        code->setName(QStringLiteral("MBlockCode1"));
        code->setBounds(240, 54, 60, 18);

        palette = new TDsnPanel(&frameOwner, window.get());
        palette->setGeometry(0, 0, 200, 30);
        DsnTemplates::buildReportPalette(*palette);
        holder = DsnTemplates::createTemplateHolder(frameOwner, window.get());

        reg = new Register(&owner, window.get());
        reg->setDsnStage(stage);
        reg->setDsnPanel(palette);
        reg->setArrowButton(palette->arrowButton());
        ReportStageAnswers::install(*stage);

        window->resize(page->width() + 20, page->height() + 60);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        reg->SetDesigning(true);
    }

    TmText *addText(const QString &name, const QRect &bounds, QWidget *parent = nullptr)
    {
        auto *text = new TmText(&owner, parent ? parent : detail);
        text->setName(name);
        text->setBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
        return text;
    }

    QList<QWidget *> selection() const
    {
        return reg->targets() ? reg->targets()->items() : QList<QWidget *>();
    }

    TDsnButton *button(const QString &geneName) const
    {
        for (TDsnButton *candidate : palette->buttons()) {
            if (candidate->GeneName() == geneName)
                return candidate;
        }
        return nullptr;
    }
};

// An inspector that shows nothing and counts what its register asks of it.
class CountingInspector : public TCustomInspector
{
public:
    class Collector : public TPropertyCollector
    {
    public:
        explicit Collector(CountingInspector *owner) : m_owner(owner) {}
        void Load(const QStringList &, const QStringList &, const QStringList &) override {}
        void Recollect() override { ++m_owner->recollects; }
        void Update() override { ++m_owner->updates; }

    private:
        CountingInspector *m_owner;
    };

    void OpenWindow() override { ++opened; }
    void CloseWindow() override { ++closed; }
    void ApplyValue(const QString &, const QString &) override {}
    void ButtonClick(const QString &, QString &) override {}
    void RefreshGrid() override {}
    void GetPropLists(QStringList &, QStringList &) const override {}
    QStringList OutProps() const override { return {}; }
    std::unique_ptr<TPropertyCollector> CreateCollector() override
    {
        return std::make_unique<Collector>(this);
    }

    int opened = 0;
    int closed = 0;
    int recollects = 0;
    int updates = 0;
};

// Gestures at positions in a widget's coordinates.
namespace Gesture {

inline void press(QWidget *widget, QPoint pos, Qt::KeyboardModifiers mods = {},
                  Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(widget, button, mods, pos);
}

inline void move(QWidget *widget, QPoint pos, Qt::KeyboardModifiers mods = {})
{
    Q_UNUSED(mods);
    QTest::mouseMove(widget, pos);
}

inline void release(QWidget *widget, QPoint pos, Qt::KeyboardModifiers mods = {},
                    Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseRelease(widget, button, mods, pos);
}

inline void click(QWidget *widget, QPoint pos, Qt::KeyboardModifiers mods = {})
{
    press(widget, pos, mods);
    release(widget, pos, mods);
}

// A press, moves in steps towards to, and a release there.
inline void drag(QWidget *widget, QPoint from, QPoint to, Qt::KeyboardModifiers mods = {})
{
    press(widget, from, mods);
    move(widget, from + (to - from) / 2, mods);
    move(widget, to, mods);
    release(widget, to, mods);
}

} // namespace Gesture
