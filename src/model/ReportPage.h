#pragma once

#include "model/CodeLines.h"
#include "model/FramedControl.h"
#include "model/PageGeometry.h"

class BandBase;

struct PrinterSettings
{
    int copies = 1;
    bool duplex = false;
    int firstPage = 0;
    int lastPage = 0;
    int outputBin = 7; // Auto
};

// The report page: paper geometry, band stacking, ruler and margin frame,
// and the report-level Report-Writer sections.
class ReportPage : public FramedControl
{
    Q_OBJECT

public:
    enum Option { FirstPageHeader = 1, LastPageFooter = 2, Compression = 4 };

    ReportPage(ComponentOwner *owner, QWidget *parent);

    // The values of the page of a new report.
    void setNewReportValues();

    // Geometry (stored units unless said otherwise).
    const PageRecord &pageRecord() const { return m_page; }
    long double storedValue(PageValue index) const { return m_page.values[index]; }
    void setStoredValues(const std::array<long double, PageValueCount> &values);
    long double pageValue(PageValue index) const;          // in Units
    void setPageValue(PageValue index, long double value); // in Units
    long double pageValuePixels(PageValue index) const;
    int paperSize() const { return m_page.paperSize; }
    void setPaperSize(int paperSize);
    PageOrientation orientation() const { return m_page.orientation; }
    void setOrientation(PageOrientation orientation);
    int columns() const { return m_page.columns; }
    void setColumns(int columns);
    bool ruler() const { return m_page.ruler; }
    void setRuler(bool ruler);
    PageUnits units() const { return m_units; }
    void setUnits(PageUnits units);
    int zoom() const { return m_zoom; }
    void setZoom(int zoom);
    int fontPoints() const;

    // Conversions of this page's stored values and pixels.
    long double toPixels(long double stored) const;
    long double fromPixels(long double pixels) const;
    long double toUnits(long double stored, bool vertical) const;
    long double fromUnits(long double value, bool vertical) const;

    QList<BandBase *> bands() const;
    void restackBands();
    bool isRestacking() const { return m_restacking; }

    void setBounds(int left, int top, int width, int height) override;
    void loaded() override;

    // Report-level lists and texts.
    CodeLines pageCode, breakSection, cleanup, data, declare, include, longRemark, query, setup,
        sort, table, comments;
    QString reportName, output, shortRemark, database, vnode;
    bool asciiPrinter = false;
    QStringList functionNames;
    QStringList functionExpressions;
    int options = FirstPageHeader | LastPageFooter;
    PrinterSettings printerSettings;
    bool printIfEmpty = true;
    bool snapToGrid = true;

protected:
    void paintEvent(QPaintEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    void updatePixelSize();
    void applyPaperSize();

    PageRecord m_page;
    PageUnits m_units = Characters;
    int m_zoom = 100;
    bool m_restacking = false;
    bool m_valuesLoaded = false;
};
