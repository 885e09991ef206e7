#pragma once

#include "model/CodeLines.h"
#include "model/FramedControl.h"

enum TextAlignment { taLeftJustify, taRightJustify, taCenter };

// A text item: one value printed at one place of a band.
class TextItem : public FramedControl
{
    Q_OBJECT

public:
    enum SizeIndex { SizeHeight, SizeLeft, SizeTop, SizeWidth };

    TextItem(ComponentOwner *owner, QWidget *parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // Takes the new name as caption when the caption is empty or the old name.
    void setName(const QString &name) override;

    TextAlignment alignment() const { return m_alignment; }
    void setAlignment(TextAlignment alignment);
    bool alignToBand() const { return m_alignToBand; }
    void setAlignToBand(bool alignToBand);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wordWrap);

    // Stored extent: Height, Left, Top, Width in tenths of a millimetre.
    const QList<long double> &sizeValues() const { return m_size; }
    void setSizeValues(const QList<long double> &values);
    long double sizeValue(SizeIndex index) const;          // in the page's units
    void setSizeValue(SizeIndex index, long double value); // in the page's units

    void setBounds(int left, int top, int width, int height) override;
    void loaded() override;
    void paintFace(QPainter &painter) const override;
    // Keeps Left glued to the band while AlignToBand is on.
    void applyAlignToBand();

    // The font size in points the stream keeps beside the font.
    int fontSize() const { return fontRecord().pointSize(PixelsPerInch); }
    void setStoredFontSize(int points) { m_storedFontSize = points; }
    void setFontSize(int points);

    bool autoSize = false;
    bool autoStretch = false;
    CodeLines printCode, beforePrint, afterPrint, subTextCode;
    int nWidth = 0;
    int column = 0;
    int row = 0;
    QString format;
    bool blockMode = false;
    bool fieldMode = false;
    QString field;
    bool printable = true;
    bool tabPosition = true;

private:
    void applyExtentFromSize(const QRect &fallback);
    int pixelsOf(long double stored) const;

    QString m_caption;
    TextAlignment m_alignment = taLeftJustify;
    bool m_alignToBand = false;
    bool m_transparent = true;
    bool m_wordWrap = true;
    QList<long double> m_size{0, 0, 0, 0};
    QRect m_storedPixels;
    int m_storedFontSize = 0;
};
