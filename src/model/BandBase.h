#pragma once

#include "model/CodeLines.h"
#include "model/FramedControl.h"

#include <optional>

// What bands and break bands share: the report band base (extent in stored
// units, place in the page's stack) and the Report-Writer properties.
class BandBase : public FramedControl
{
    Q_OBJECT

public:
    enum SizeIndex { SizeHeight, SizeWidth };

    BandBase(ComponentOwner *owner, QWidget *parent);

    // Stored extent: Height, Width in tenths of a millimetre.
    const QList<long double> &sizeValues() const { return m_size; }
    void setSizeValues(const QList<long double> &values);
    long double sizeValue(SizeIndex index) const;          // in the page's units
    void setSizeValue(SizeIndex index, long double value); // in the page's units

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
    CodeLines bandCode, beforePrint, afterPrint, subBandCode;
    bool blockMode = false;
    bool fieldMode = false;
    QString field;

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
    // The pixel height a design stored beside Size, if it stored one.
    std::optional<int> m_storedPixelHeight;
};

enum BandType { Header, Detail, Footer };
enum BreakBandType { BreakHeader, BreakFooter };

class Band : public BandBase
{
    Q_OBJECT

public:
    using BandBase::BandBase;

    BandType typeBand() const { return static_cast<BandType>(typeOrdinal()); }
    void setTypeBand(BandType type) { setTypeOrdinal(type); }
    QString typeWord() const override;
};

class BreakBand : public BandBase
{
    Q_OBJECT

public:
    using BandBase::BandBase;

    BreakBandType typeBand() const { return static_cast<BreakBandType>(typeOrdinal()); }
    void setTypeBand(BreakBandType type) { setTypeOrdinal(type); }
    QString typeWord() const override;

    bool printBreakAlways = false;
    bool printValueOnBreaks = false;
    bool printValueOnPage = false;
    bool newPageOnBreak = false;
};
