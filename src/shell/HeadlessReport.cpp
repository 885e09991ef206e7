#include "shell/HeadlessReport.h"

#include "generation/Generator.h"
#include "model/ObjectStream.h"
#include "model/ReportClasses.h"

#include <QWidget>

HeadlessReport::HeadlessReport() : m_stage(std::make_unique<QWidget>()) {}

// The stage's components must go while the owner still knows them.
HeadlessReport::~HeadlessReport()
{
    m_stage.reset();
}

void HeadlessReport::load(const QString &fileName)
{
    m_page = nullptr;
    const QList<QWidget *> controls =
        ObjectStream::loadStageFile(m_stage.get(), fileName, *this, reportClasses());
    for (QWidget *control : controls) {
        if (auto *page = qobject_cast<ReportPage *>(control)) {
            m_page = page;
            return;
        }
    }
    throw StreamError(fileName + QStringLiteral(" holds no report page"));
}

bool HeadlessReport::tryLoad(const QString &fileName)
{
    try {
        load(fileName);
    } catch (const StreamError &) {
        return false;
    }
    return true;
}

ReportImport::Result HeadlessReport::importSource(QByteArrayView text)
{
    delete m_page;
    ReportImport::Result result = ReportImport::importSource(text, *this, m_stage.get());
    m_page = result.page;
    return result;
}

void HeadlessReport::save(const QString &fileName) const
{
    ObjectStream::saveStageFile(m_stage.get(), fileName, *this, reportClasses());
}

QStringList HeadlessReport::generate()
{
    if (!m_page)
        return {};
    GenerationWindow window;
    window.page = m_page;
    generatePageCode(window, m_page);
    return m_page->pageCode.texts();
}
