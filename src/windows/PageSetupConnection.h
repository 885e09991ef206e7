#pragma once

class ReportWindow;

// Opens the page setup dialog from window: on a double click on the page,
// and on the inspector's "Page" button with the page first among the
// targets. The inspector's other buttons are left to their own listeners.
void connectPageSetup(ReportWindow *window);
