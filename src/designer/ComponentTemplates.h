#pragma once

class ComponentOwner;
class QWidget;
class ComponentPalette;

// The hidden template components new report components are cloned from,
// and the palette buttons that name them.
namespace ComponentTemplates {

// The holder panel "DsnDpstPanel" (outside the visible area of parent)
// with the five templates Dpst_TmText, Dpst_TMBlockCode, Dpst_TmBand,
// Dpst_TmBreakBand and Dpst_TmBlock, all owned by owner.
QWidget *createTemplateHolder(ComponentOwner &owner, QWidget *parent);

// The report palette's arrow and template buttons: 27 x 27, flat, with
// hints and no captions; the block panel's button is hidden.
void buildReportPalette(ComponentPalette &palette);

} // namespace ComponentTemplates
