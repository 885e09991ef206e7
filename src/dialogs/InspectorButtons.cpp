#include "dialogs/InspectorButtons.h"

#include "dialogs/CodeDialogHost.h"
#include "dialogs/ObjectCodeDialog.h"
#include "dialogs/ReportSections.h"

#include "designer/PropertyConversions.h"
#include "designer/SelectionList.h"

#include "model/NamedValues.h"
#include "model/ReportControl.h"

#include <QColorDialog>
#include <QFontDialog>

namespace {

bool isCodeButton(const QString &propName)
{
    static const QStringList names = {QStringLiteral("PrintCode"), QStringLiteral("BandCode"),
                                      QStringLiteral("PageCode"), QStringLiteral("Code")};
    return names.contains(propName);
}

bool isColourButton(const QString &propName)
{
    return propName == u"Color" || propName == u"Color1";
}

// The dialog starts from the value the inspector shows, when it is one.
void chooseColour(CodeDialogHost &host, QString &value)
{
    QColorDialog dialog(host.dialogOwner());
    dialog.setObjectName(QStringLiteral("ColorDialog1"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (const std::optional<qint32> shown = PropertyConversions::parseInteger(value))
        dialog.setCurrentColor(NamedValues::toQColor(PropertyConversions::colourFromInt32(*shown)));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QColor colour = dialog.selectedColor();
    value = QString::number(colour.blue() * 65536 + colour.green() * 256 + colour.red());
}

// The chosen face, size and style; charset, pitch and colour stay those of
// the first target's font, which the dialog cannot show.
FontRecord chosenFont(const FontRecord &start, const QFont &font)
{
    FontRecord record = start;
    record.name = font.family();
    if (font.pointSize() > 0)
        record.setPointSize(font.pointSize(), ReportControl::PixelsPerInch);
    else if (font.pixelSize() > 0)
        record.height = -font.pixelSize();
    record.style = (font.bold() ? FontRecord::Bold : 0) | (font.italic() ? FontRecord::Italic : 0)
                   | (font.underline() ? FontRecord::Underline : 0)
                   | (font.strikeOut() ? FontRecord::StrikeOut : 0);
    return record;
}

void chooseFont(CodeDialogHost &host, const SelectedComponents &targets)
{
    auto *first = qobject_cast<ReportControl *>(targets.at(0));
    if (!first)
        return;
    const FontRecord start = first->fontRecord();
    QFont shown = start.toQFont();
    shown.setPointSize(std::max(1, start.pointSize(ReportControl::PixelsPerInch)));
    QFontDialog dialog(shown, host.dialogOwner());
    dialog.setObjectName(QStringLiteral("FontDialog1"));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const FontRecord chosen = chosenFont(start, dialog.selectedFont());
    for (QWidget *target : targets.items()) {
        if (auto *control = qobject_cast<ReportControl *>(target))
            control->setFontRecord(chosen);
    }
}

} // namespace

void inspectorButtonClicked(CodeDialogHost &host, const SelectedComponents &targets,
                            const QString &propName, QString &value)
{
    QWidget *first = targets.at(0);
    if (isCodeButton(propName)) {
        if (first)
            openCodeDialog(host, first);
    } else if (const ReportSection *section = reportSection(propName)) {
        if (first)
            editReportSection(host, first, *section);
    } else if (isColourButton(propName)) {
        chooseColour(host, value);
    } else if (propName == u"Font") {
        chooseFont(host, targets);
    }
}
