#pragma once

#include <QString>

class ReportWindow;

// What the write, run and send commands say in the frame's status bar
// once they have done their work.

QString designWrittenMessage(const ReportWindow *window);
QString sourceWrittenMessage(const QString &path);
QString unixSourceWrittenMessage(const QString &path);
QString reportStartedMessage(const QString &program, const QString &parameters);
QString uploadStartedMessage(const QString &path, const QString &host);
