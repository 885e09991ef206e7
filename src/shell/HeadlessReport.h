#pragma once

#include "import/ReportImport.h"
#include "model/ComponentOwner.h"

#include <QStringList>

#include <memory>

class QWidget;
class ReportPage;

// A design loaded without a window, the way a report window loads it: the
// owner of its components, with a plain container in place of the stage.
class HeadlessReport : public ComponentOwner
{
public:
    HeadlessReport();
    ~HeadlessReport() override;

    // Throws StreamError when the file cannot be read or holds no page.
    void load(const QString &fileName);
    // As load(), false instead of the error, for callers that only report
    // the file as unreadable.
    bool tryLoad(const QString &fileName);
    ReportPage *page() const { return m_page; }
    QWidget *stage() const { return m_stage.get(); }

    // The design of a Report-Writer source, in place of any loaded one.
    ReportImport::Result importSource(QByteArrayView text);
    // Writes the design file; throws StreamError when it cannot be written.
    void save(const QString &fileName) const;

    // The generated Report-Writer source, line by line.
    QStringList generate();

private:
    std::unique_ptr<QWidget> m_stage;
    ReportPage *m_page = nullptr;
};
