#pragma once

#include "model/NamedValues.h"

#include <QFont>
#include <QWidget>

class ComponentOwner;
class QPainter;
class ReportPage;

// The font attributes a design stores; Height is negative for a character
// height in pixels, as the stream keeps it.
struct FontRecord
{
    qint64 charset = NamedValues::DEFAULT_CHARSET;
    qint64 color = NamedValues::clWindowText;
    int height = -11;
    QString name = QStringLiteral("MS Sans Serif");
    int pitch = 0; // fpDefault
    int style = 0; // bit per fsBold, fsItalic, fsUnderline, fsStrikeOut

    enum Style { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    // The largest Height a control takes, in pixels: 1000 points at 96
    // pixels per inch, letters taller than any paper.
    static constexpr int MaxHeight = 1333;

    int pointSize(int ppi) const;
    void setPointSize(int points, int ppi);
    QFont toQFont(int zoom = 100) const;
    bool operator==(const FontRecord &) const = default;
};

// The base of every report component: a live control of the design
// surface that knows its owner, its colour and font, and whether it is
// being read from a stream.
class ReportControl : public QWidget
{
    Q_OBJECT

public:
    // Every geometry conversion uses this resolution, so that a design reads
    // and writes to the same bytes on any screen.
    static constexpr int PixelsPerInch = 96;

    ReportControl(ComponentOwner *owner, QWidget *parent);
    ~ReportControl() override;

    ComponentOwner *owner() const { return m_owner; }
    // Renames the control; labels also take a new name as their caption.
    virtual void setName(const QString &name) { setObjectName(name); }
    ReportPage *page() const;

    qint64 color() const { return m_color; }
    void setColor(qint64 color);

    // The font in effect: the parent's while ParentFont is on.
    FontRecord fontRecord() const;
    void setFontRecord(const FontRecord &font);
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parentFont);
    bool hasParentFontSource() const;

    // Positions and sizes the control; controls that keep their extent in
    // stored units as well override it to keep both in step.
    virtual void setBounds(int left, int top, int width, int height);
    void setLeft(int left) { setBounds(left, y(), width(), height()); }
    void setTop(int top) { setBounds(x(), top, width(), height()); }
    void setWidthPx(int width) { setBounds(x(), y(), width, height()); }
    void setHeightPx(int height) { setBounds(x(), y(), width(), height); }

    bool isLoading() const { return m_loading; }
    void beginLoading() { m_loading = true; }
    // Called once every stored value has been read.
    virtual void loaded() { m_loading = false; }

    virtual bool isWindowed() const { return true; }

    // Text items and code blocks come by the thousand in one band, and Qt
    // paints overlapping sibling widgets by recursion, one level for each.
    // So these stay hidden widgets that the report control they lie on
    // paints after itself, in child order; they keep their geometry, and
    // their parent's cover hands them the pointer.
    bool isPaintedByParent() const;
    void setVisible(bool visible) override;
    // Repaints the control where it shows.
    void refresh();
    // Draws the control with the painter's origin at its top left corner.
    virtual void paintFace(QPainter &) const {}

protected:
    // For the classes whose controls their parent paints; from the constructor.
    void letParentPaint();
    // Moves the widget, repainting both places when the parent paints it.
    void setWidgetGeometry(const QRect &bounds);
    // The font in effect changed: repaint, and tell the children that inherit it.
    virtual void fontChanged();
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    // Draws the face, for a control that Qt paints as a widget of its own.
    void paintEvent(QPaintEvent *event) override;

private:
    void paintChildFaces(const QRect &exposed);

    ComponentOwner *m_owner;
    bool m_parentPaints = false;
    qint64 m_color = NamedValues::clWhite;
    FontRecord m_font;
    bool m_parentFont = true;
    bool m_loading = false;
};
