#pragma once

#include "model/FramedControl.h"
#include "model/GlobalUnit.h"
#include "model/PageGeometry.h"

class TBandBase;

struct TPrinterSettings
{
    int copies = 1;
    bool duplex = false;
    int firstPage = 0;
    int lastPage = 0;
    int outputBin = 7; // Auto
};

// The report page: paper geometry, band stacking, ruler and margin frame,
// and the report-level Report-Writer sections.
class TmPage : public TFramedControl
{
    Q_OBJECT

public:
    enum Option { FirstPageHeader = 1, LastPageFooter = 2, Compression = 4 };

    TmPage(ComponentOwner *owner, QWidget *parent);

    // The values of the page of a new report.
    void setNewReportValues();

    // Geometry (stored units unless said otherwise).
    const TPageRecord &pageRecord() const { return m_page; }
    long double storedValue(TPageValue index) const { return m_page.values[index]; }
    void setStoredValues(const std::array<long double, PageValueCount> &values);
    long double pageValue(TPageValue index) const;           // in Units
    void setPageValue(TPageValue index, long double value);  // in Units
    long double pageValuePixels(TPageValue index) const;
    int paperSize() const { return m_page.paperSize; }
    void setPaperSize(int paperSize);
    TPageOrientation orientation() const { return m_page.orientation; }
    void setOrientation(TPageOrientation orientation);
    int columns() const { return m_page.columns; }
    void setColumns(int columns);
    bool ruler() const { return m_page.ruler; }
    void setRuler(bool ruler);
    TUnits units() const { return m_units; }
    void setUnits(TUnits units);
    int zoom() const { return m_zoom; }
    void setZoom(int zoom);
    int fontPoints() const;

    // Conversions of this page's stored values and pixels.
    long double toPixels(long double stored) const;
    long double fromPixels(long double pixels) const;
    long double toUnits(long double stored, bool vertical) const;
    long double fromUnits(long double value, bool vertical) const;

    QList<TBandBase *> bands() const;
    void restackBands();
    bool isRestacking() const { return m_restacking; }

    void setBounds(int left, int top, int width, int height) override;
    void loaded() override;

    // Report-level lists and texts.
    CodeLines PageCode, Break, Cleanup, Data, Declare, Include, LongRemark, Query, Setup, Sort,
        Table, Comments;
    QString Nam, Output, ShortRemark, Database, VNode;
    bool AsciiPrinter = false;
    QStringList functionNames;
    QStringList functionExpressions;
    int options = FirstPageHeader | LastPageFooter;
    TPrinterSettings printerSettings;
    bool printIfEmpty = true;
    bool snapToGrid = true;

protected:
    void paintEvent(QPaintEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    void updatePixelSize();
    void applyPaperSize();

    TPageRecord m_page;
    TUnits m_units = Characters;
    int m_zoom = 100;
    bool m_restacking = false;
};
