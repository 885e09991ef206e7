#pragma once

class ReportWindow;

// For Run Report and Send Report to FTP Server, once they have generated
// the source: checks it, and when the report program would reject it,
// lists the problems and asks whether to go on. True to go on.
bool checkBeforeSending(ReportWindow *window);
