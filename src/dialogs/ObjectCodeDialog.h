#pragma once

class CodeDialogHost;
class QWidget;

// The object code dialog: the code editor window opened for one component
// of a design, showing its freshly generated code between the user's own
// "before" and "after" lines, which OK stores back into the component's
// BeforePrint and AfterPrint. For the page it shows the whole generated
// report, for a code block its code.
//
// Builds the dialog for component, shows it modally and applies it on OK;
// any other component: nothing. Opening regenerates the component's code
// (the page's PageCode, a band's BandCode without its before and after
// code, a text item's SubTextCode), which stays after Cancel; so do caption
// changes typed on caption lines.
void openCodeDialog(CodeDialogHost &host, QWidget *component);
