#include "designer/ComponentTemplates.h"

#include "designer/ComponentPalette.h"

#include "model/ComponentOwner.h"
#include "model/ReportClasses.h"

namespace ComponentTemplates {

namespace {

QWidget *textTemplate(ComponentOwner &owner, QWidget *holder)
{
    auto *text = new TextItem(&owner, holder);
    text->setBounds(0, 0, 50, 50);
    // A new item prints where it is drawn: without a tab it would print
    // wherever the previous output of its line ended.
    text->tabPosition = true;
    text->setName(QStringLiteral("Dpst_TmText"));
    return text;
}

QWidget *codeTemplate(ComponentOwner &owner, QWidget *holder)
{
    auto *code = new CodeBlock(&owner, holder);
    code->setBounds(0, 0, 50, 50);
    code->setName(QStringLiteral("Dpst_TMBlockCode"));
    return code;
}

template<class Band>
Band *bandTemplate(ComponentOwner &owner, QWidget *holder, const QString &name)
{
    auto *band = new Band(&owner, holder);
    band->setBounds(0, 0, 15, 50);
    band->setSizeValues({132.29166666666666L, 40});
    band->setName(name);
    return band;
}

QWidget *blockTemplate(ComponentOwner &owner, QWidget *holder)
{
    auto *block = new BlockPanel(&owner, holder);
    block->setBounds(0, 0, 50, 50);
    FontRecord font;
    font.charset = NamedValues::DEFAULT_CHARSET;
    font.color = NamedValues::clWindowText;
    font.height = -11;
    font.name = QStringLiteral("Times New Roman");
    block->setFontRecord(font);
    block->tabOrder = 3;
    block->setName(QStringLiteral("Dpst_TmBlock"));
    return block;
}

struct ButtonRow
{
    const char *name;
    int left;
    const char *hint;
    const char *templateName;
    const char *className;
    bool visible;
};

} // namespace

QWidget *createTemplateHolder(ComponentOwner &owner, QWidget *parent)
{
    auto *holder = new QWidget(parent);
    holder->setObjectName(QStringLiteral("DsnDpstPanel"));
    holder->setGeometry(-100, -100, 50, 50);
    owner.insertComponent(holder);
    textTemplate(owner, holder);
    codeTemplate(owner, holder);
    bandTemplate<Band>(owner, holder, QStringLiteral("Dpst_TmBand"));
    auto *breakBand = bandTemplate<BreakBand>(owner, holder, QStringLiteral("Dpst_TmBreakBand"));
    breakBand->setTypeBand(BreakHeader);
    blockTemplate(owner, holder);
    return holder;
}

void buildReportPalette(ComponentPalette &palette)
{
    static const ButtonRow rows[] = {
        {"DsnButton1", 32, "Text\nField", "Dpst_TmText", "TmText", true},
        {"DsnButton5", 60, "Free Code", "Dpst_TMBlockCode", "TMBlockCode", true},
        {"DsnButton2", 88, "Section\n(Header/Footer/Detail)", "Dpst_TmBand", "TmBand", true},
        {"DsnButton3", 115, "Break Section", "Dpst_TmBreakBand", "TmBreakBand", true},
        {"DsnButton4", 143, "", "Dpst_TmBlock", "TmBlock", false},
    };
    palette.buttonWidth = 27;
    palette.buttonHeight = 27;
    palette.buttonCaption = false;
    ArrowButton *arrow = palette.createArrowButton();
    arrow->setGeometry(1, 1, 27, 27);
    arrow->setAutoRaise(true);
    for (const ButtonRow &row : rows) {
        PaletteButton *button = palette.addTemplateButton(QString::fromLatin1(row.templateName),
                                                          QString::fromLatin1(row.className));
        button->setObjectName(QString::fromLatin1(row.name));
        button->setGeometry(row.left, 1, 27, 27);
        button->setAutoRaise(true);
        button->setToolTip(QString::fromLatin1(row.hint));
        button->setVisible(row.visible);
    }
}

} // namespace ComponentTemplates
