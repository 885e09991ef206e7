#pragma once

// A report page on a design stage, as a report window holds it: a header
// and a detail band, three text items and a code block on the detail band,
// a DesignRegister with move steps 6 and 18, the report palette with its
// five templates, and the report window's answers to the stage's questions
// (a TestPolicy whose answers a test may replace).
// Mouse input goes through the window system, so hit testing, mouse grabs
// and widgets transparent to the pointer act as they do for a user.

#define QTEST_QPA_MOUSE_HANDLING
#include <QTest>

#include "designer/ComponentPalette.h"
#include "designer/ComponentTemplates.h"
#include "designer/DesignRegister.h"
#include "designer/DesignStage.h"
#include "designer/InspectorBase.h"
#include "designer/ReportStageAnswers.h"

#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

#include <functional>
#include <memory>

// The report window's answers, any of which a test may replace. A
// replacement gets the answer preset to "allowed" and changes it to refuse.
class TestPolicy : public ReportStageAnswers
{
public:
    std::function<void(QWidget *component, bool &canDelete)> deleteQuery;
    std::function<void(QWidget *component, CoverAnswer &answer)> coverQuery;
    std::function<void(QObject *asker, QWidget *component, SelectAnswer &answer)> selectQuery;

    bool canDelete(QWidget *component) const override
    {
        if (!deleteQuery)
            return ReportStageAnswers::canDelete(component);
        bool answer = true;
        deleteQuery(component, answer);
        return answer;
    }

    CoverAnswer coverAnswer(QWidget *component) const override
    {
        CoverAnswer answer = caCover;
        if (coverQuery)
            coverQuery(component, answer);
        return answer;
    }

    SelectAnswer selectAnswer(QObject *asker, QWidget *component) const override
    {
        SelectAnswer answer = AllSelectFlags;
        if (selectQuery)
            selectQuery(asker, component, answer);
        return answer;
    }
};

struct DesignFixture
{
    ComponentOwner frameOwner;
    ComponentOwner owner;
    std::unique_ptr<QWidget> window;
    DesignStage *stage = nullptr;
    ReportPage *page = nullptr;
    Band *header = nullptr;
    Band *detail = nullptr;
    TextItem *text1 = nullptr;
    TextItem *text2 = nullptr;
    TextItem *text3 = nullptr;
    CodeBlock *code = nullptr;
    ComponentPalette *palette = nullptr;
    QWidget *holder = nullptr;
    DesignRegister *reg = nullptr;
    TestPolicy *policy = nullptr;

    void build()
    {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("Design stage"));
        stage = new DesignStage(&owner, window.get());
        stage->setObjectName(QStringLiteral("DsnStageReport"));
        stage->rubberBand = {0x808080, 2, 6, 18};
        page = new ReportPage(&owner, stage);
        page->setNewReportValues();
        page->setName(QStringLiteral("mPage1"));
        stage->setGeometry(0, 40, page->width(), page->height());
        header = new Band(&owner, page);
        header->setName(QStringLiteral("mBand1"));
        detail = new Band(&owner, page);
        detail->setName(QStringLiteral("mBand2"));
        detail->setTypeBand(Detail);
        detail->setBounds(detail->x(), detail->y(), detail->width(), 108);
        text1 = addText(QStringLiteral("mText1"), QRect(12, 18, 60, 18));
        text2 = addText(QStringLiteral("mText2"), QRect(84, 18, 60, 18));
        text3 = addText(QStringLiteral("mText3"), QRect(156, 18, 60, 18));
        code = new CodeBlock(&owner, detail);
        code->setName(QStringLiteral("MBlockCode1"));
        code->setBounds(240, 54, 60, 18);

        palette = new ComponentPalette(&frameOwner, window.get());
        palette->setGeometry(0, 0, 200, 30);
        ComponentTemplates::buildReportPalette(*palette);
        holder = ComponentTemplates::createTemplateHolder(frameOwner, window.get());

        reg = new DesignRegister(&owner, window.get());
        reg->setStage(stage);
        reg->setPalette(palette);
        reg->setArrowButton(palette->arrowButton());
        ReportStageAnswers::install(*stage);
        auto testPolicy = std::make_unique<TestPolicy>();
        policy = testPolicy.get();
        stage->setPolicy(std::move(testPolicy));

        window->resize(page->width() + 20, page->height() + 60);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        reg->setDesigning(true);
    }

    // Takes away the report window's sizing of created controls.
    void dropCreationSizing()
    {
        QObject::disconnect(stage, &DesignStage::controlCreated, nullptr, nullptr);
    }

    TextItem *addText(const QString &name, const QRect &bounds, QWidget *parent = nullptr)
    {
        auto *text = new TextItem(&owner, parent ? parent : detail);
        text->setName(name);
        text->setBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
        return text;
    }

    QList<QWidget *> selection() const
    {
        return reg->targets() ? reg->targets()->items() : QList<QWidget *>();
    }

    PaletteButton *button(const QString &templateName) const
    {
        for (PaletteButton *candidate : palette->buttons()) {
            if (candidate->templateName() == templateName)
                return candidate;
        }
        return nullptr;
    }
};

// An inspector that shows nothing and counts what its register asks of it.
class CountingInspector : public InspectorBase
{
public:
    class Collector : public PropertyCollector
    {
    public:
        explicit Collector(CountingInspector *owner) : m_owner(owner) {}
        void load(const QStringList &, const QStringList &, const QStringList &) override {}
        void recollect() override { ++m_owner->recollects; }
        void refreshTargets() override { ++m_owner->updates; }

    private:
        CountingInspector *m_owner;
    };

    void openWindow() override { ++opened; }
    void closeWindow() override { ++closed; }
    void applyValue(const QString &, const QString &) override {}
    void buttonClick(const QString &, QString &) override {}
    void refreshGrid() override {}
    void propertyLists(QStringList &, QStringList &) const override {}
    QStringList excludedProperties() const override { return {}; }
    std::unique_ptr<PropertyCollector> createCollector() override
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
