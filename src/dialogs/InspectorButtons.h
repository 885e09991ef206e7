#pragma once

#include <QString>

class CodeDialogHost;
class SelectedComponents;

// The object inspector's "..." buttons of a report window: the code
// dialogs, the report section editors and the colour and font dialogs.
// propName is compared exactly; targets are the selected components, the
// code dialogs and section editors open for the first of them.
//
// "Color" and "Color1" set value, on OK, to the colour chosen as a decimal
// of blue * 65536 + green * 256 + red, which the inspector then assigns;
// "Font" gives every target the font chosen, starting from the first
// target's. "Page" belongs to the page setup; every other name does
// nothing here.
void inspectorButtonClicked(CodeDialogHost &host, const SelectedComponents &targets,
                            const QString &propName, QString &value);
