#pragma once

#include "model/FramedControl.h"
#include "model/GlobalUnit.h"

// What bands and break bands share: the report band base (extent in stored
// units, place in the page's stack) and the Report-Writer properties.
class TBandBase : public TFramedControl
{
    Q_OBJECT

public:
    enum SizeIndex { SizeHeight, SizeWidth };

    TBandBase(ComponentOwner *owner, QWidget *parent);

    // Stored extent: Height, Width in tenths of a millimetre.
    const QList<long double> &sizeValues() const { return m_size; }
    void setSizeValues(const QList<long double> &values);
    long double sizeValue(SizeIndex index) const;           // in the page's units
    void setSizeValue(SizeIndex index, long double value);  // in the page's units

    void setBounds(int left, int top, int width, int height) override;
    // Puts the band where the page's stack wants it without restacking again.
    void placeInStack(int left, int top, int width);
    void loaded() override;

    int typeOrdinal() const { return m_typeBand; }
    void setTypeOrdinal(int typeBand);
    QString typeField() const { return m_typeField; }
    void setTypeField(const QString &typeField);
    // The word the band's label begins with ("Header", "Break Footer" ...).
    virtual QString typeWord() const = 0;

    int bandType = 0; // rbTitle
    bool alignToBottom = false;
    bool forceNewColumn = false;
    bool forceNewPage = false;
    CodeLines BandCode, BeforePrint, AfterPrint, SubBandCode;
    bool BlockMode = false;
    bool FieldMode = false;
    QString Field;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    void applyPixelExtent(int left, int top, int width, int height);
    void restackPage();
    int pixelsOf(long double stored) const;

    QList<long double> m_size{0, 0};
    int m_typeBand = 0;
    QString m_typeField;
    int m_storedPixelHeight = 0;
};

enum TTypeBand { Header, Detail, Footer };
enum TBreakBand { BreakHeader, BreakFooter };

class TmBand : public TBandBase
{
    Q_OBJECT

public:
    using TBandBase::TBandBase;

    TTypeBand TypeBand() const { return static_cast<TTypeBand>(typeOrdinal()); }
    void setTypeBand(TTypeBand type) { setTypeOrdinal(type); }
    QString typeWord() const override;
};

class TmBreakBand : public TBandBase
{
    Q_OBJECT

public:
    using TBandBase::TBandBase;

    TBreakBand TypeBand() const { return static_cast<TBreakBand>(typeOrdinal()); }
    void setTypeBand(TBreakBand type) { setTypeOrdinal(type); }
    QString typeWord() const override;

    bool PrintBreakAlways = false;
    bool PrintValueOnBreaks = false;
    bool PrintValueOnPage = false;
    bool NewPageOnBreak = false;
};
