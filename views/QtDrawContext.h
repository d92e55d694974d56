#pragma once
#include "SquareBlitter.h"

#include "model/GbkString.h"
#include "model/ZDrawContext.h"

#include <QBrush>
#include <QColor>
#include <QLineF>
#include <QPen>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class ZLabelPlacer;
class ZNetCanvas;
class ZSymbolThinner;

// ZDrawContext over a QPainter for one paint. Pens, brushes and colours are made once at
// BeginDraw; lines and node squares are batched per pen and brush, and label texts are drawn
// last, so a paint of many objects costs a few painter calls per style.
class QtDrawContext : public ZDrawContext {
public:
    QtDrawContext(ZNetCanvas& canvas, QPainter& painter, const ViewExtent& clip);
    ~QtDrawContext() override;

    static QColor ToColor(uint32_t rgb);

    void BeginDraw();
    void EndDraw();

    void SelectNode(const ZFlowNode& node) override;
    void SelectPipe(const ZPipeLink& pipe) override;
    void SelectDevice(const ZDeviceLink& device) override;
    void Restore() override;

    void Rectangle(const ViewExtent& r) override;
    void RectangleOutline(const ViewExtent& r) override;
    void Line(double x1, double y1, double x2, double y2) override;
    void Polyline(const PipePoint* points, int count) override;
    void Polygon(const PipePoint* points, int count) override;
    void Text(double x, double y, double angle, GbkView text) override;
    void TextExtent(GbkView text, double angle, double& width, double& height) override;
    void Symbol(const ZDeviceLink& device, double left, double top) override;
    void BeginLabel(const ViewExtent& bounds) override;
    void EndLabel() override;

    int DeviceSize(int pixels) const override;
    double Scale() const override;
    const ViewExtent& ClipRect() const override { return m_clip; }

    QPainter& Painter() { return m_painter; }

private:
    struct Style {
        const QPen* pen = nullptr;
        const QBrush* brush = nullptr;
        QColor text;
    };
    struct PendingText {
        QPointF at;
        double degrees;
        GbkString text;
        QColor color;
        QRgb rgb;
    };

    // One object's label, held back until EndDraw weighs it against the others.
    struct LabelGroup {
        ViewExtent bounds;
        double priority;
        const void* owner;
        size_t textBegin, textEnd, lineBegin, lineEnd;
        const QPen* pen;
        bool hidden;   // its object's symbol was thinned out
    };

    // The growing lists of one paint, kept with their capacity for the next paint on this thread:
    // a full repaint of a city fills hundreds of thousands of entries, and growing them anew each
    // time cost a fifth of the paint in copies and page faults.
    struct Buffers {
        std::vector<QLineF> lines, labelLines;
        std::vector<QRectF> rects;
        std::vector<PendingText> texts, labelTexts;
        std::vector<LabelGroup> labels;
        std::vector<size_t> order;
    };
    static Buffers& ThreadBuffers();
    void SwapBuffers();

    QPointF Map(double x, double y) const;
    // The node's grade colour would come from a result that is stale.
    bool NodeGradeStale(const ZFlowNode& node) const;
    void PlaceLabels();
    void SetOwner(const void* owner, double priority);
    void Use(const Style& s);
    void Flush();
    void FlushTexts();
    void Prepare();

    ZNetCanvas& m_canvas;
    QPainter& m_painter;
    ViewExtent m_clip;
    bool m_prepared = false;
    // Transform world -> device: x' = (x - cx) / s + w/2, y' = h/2 - (y - cy) / s.
    double m_cx, m_cy, m_inv, m_halfW, m_halfH;

    QPen m_nodePen, m_nodeDotPen, m_nodeErasePen, m_pipePen, m_pipeDotPen, m_pipeErasePen;
    QPen m_pipeStalePen;   // a result-graded pipe whose results are stale: ungraded, dashed
    QBrush m_nodeFill, m_bkBrush, m_pipeBrush;
    std::vector<QBrush> m_nodeGradeBrushes;
    std::vector<QPen> m_pipeGradePens;
    std::vector<QBrush> m_nodeResultBrushes;   // the canvas's result colouring
    std::vector<QPen> m_pipeResultPens;
    QColor m_nodeText, m_pipeText, m_bkText;

    Style m_current;
    bool m_applied = false;
    bool m_casing = false;   // lines get a background-coloured border (filled contours under them)
    std::vector<QLineF> m_lines;
    std::vector<QRectF> m_rects;
    SquareBlitter m_squares;
    std::vector<PendingText> m_texts;
    int m_ascent = 0;

    // Labels go in order of importance: devices and sources, then pipes by size, then nodes.
    ZLabelPlacer* m_placer = nullptr;
    // Crowded symbols: the object being drawn is left out (`m_skip`) with its label.
    ZSymbolThinner* m_thinner = nullptr;
    ZLabelPlacer* m_devicePlacer = nullptr;
    bool m_skip = false;
    const void* m_owner = nullptr;
    double m_priority = 0.0;
    bool m_inLabel = false;
    std::vector<LabelGroup> m_labels;
    std::vector<PendingText> m_labelTexts;
    std::vector<QLineF> m_labelLines;
    std::vector<size_t> m_order;   // the labels' and texts' drawing order
};
