#include "windows/GeneratedSourceCheck.h"

#include "check/ReportCheck.h"
#include "model/ReportPage.h"

namespace {

// Selecting the page would tell the user nothing: its lines are the
// report's own.
QWidget *componentOf(const LineObject &object)
{
    QObject *producer = object.tag ? object.tag->producer.data() : object.component.data();
    if (qobject_cast<ReportPage *>(producer))
        return nullptr;
    return qobject_cast<QWidget *>(producer);
}

} // namespace

namespace GeneratedSourceCheck {

QByteArray fileText(const QStringList &lines)
{
    QByteArray text;
    for (const QString &line : lines)
        text += line.toUtf8() + '\n';
    return text;
}

QList<SourceProblem> check(const CodeLines &lines)
{
    // A line may hold line ends of its own: the checked text has more lines.
    QList<qsizetype> codeLineOf; // by checked line, from 0
    QStringList texts;
    texts.reserve(lines.size());
    for (qsizetype index = 0; index < lines.size(); ++index) {
        texts.append(lines[index].text);
        codeLineOf.insert(codeLineOf.size(), lines[index].text.count(u'\n') + 1, index);
    }
    QList<SourceProblem> result;
    for (const CheckProblem &problem : ReportCheck::check(fileText(texts))) {
        const qsizetype line = problem.line - 1;
        QWidget *component =
            line < codeLineOf.size() ? componentOf(lines[codeLineOf[line]].object) : nullptr;
        result.append({problem, component});
    }
    return result;
}

} // namespace GeneratedSourceCheck
