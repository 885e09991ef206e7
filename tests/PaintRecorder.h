#pragma once

// A paint device that draws nothing and records what a painter sends it:
// the lines and the text items with their positions, so that a test can
// tell what a widget paints and how much, whatever a pixel would show.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>

#include <climits>
#include <memory>

class PaintRecorder : public QPaintDevice
{
public:
    struct Text
    {
        QPointF position;
        QString text;
    };

    explicit PaintRecorder(QSize size) : m_size(size), m_engine(std::make_unique<Engine>(this)) {}

    QPaintEngine *paintEngine() const override { return m_engine.get(); }

    QList<QLineF> lines;
    QList<Text> texts;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() * 254 / 960;
        case PdmHeightMM:
            return m_size.height() * 254 / 960;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(PaintRecorder *recorder) : QPaintEngine(AllFeatures), m_recorder(recorder)
        {
        }
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPath(const QPainterPath &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawRects(const QRectF *, int) override {}
        void drawLines(const QLineF *lines, int count) override
        {
            for (int i = 0; i < count; ++i)
                m_recorder->lines.append(lines[i]);
        }
        void drawLines(const QLine *lines, int count) override
        {
            for (int i = 0; i < count; ++i)
                m_recorder->lines.append(QLineF(lines[i]));
        }
        void drawTextItem(const QPointF &position, const QTextItem &item) override
        {
            m_recorder->texts.append({painter()->combinedTransform().map(position), item.text()});
        }
        Type type() const override { return User; }

    private:
        PaintRecorder *m_recorder;
    };

    QSize m_size;
    std::unique_ptr<Engine> m_engine;
};
