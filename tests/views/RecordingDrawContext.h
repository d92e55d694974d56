#pragma once
#include "model/ZDrawContext.h"
#include "model/ZNetView.h"

#include <string>
#include <vector>

// Keeps what objects draw, in world units, so tests can look at geometry without pixels.
class RecordingDrawContext : public ZDrawContext {
public:
    struct TextRun {
        double x, y, angle;
        std::string text;
    };   // text: the GBK bytes

    RecordingDrawContext(const ZNetView& view, const ViewExtent& clip) : m_view(view), m_clip(clip) {}

    void SelectNode(const ZFlowNode&) override { ++selects; }
    void SelectPipe(const ZPipeLink&) override { ++selects; }
    void SelectDevice(const ZDeviceLink&) override { ++selects; }
    void Restore() override {}
    void Rectangle(const ViewExtent& r) override { rects.push_back(r); }
    void RectangleOutline(const ViewExtent& r) override { outlines.push_back(r); }
    void Line(double x1, double y1, double x2, double y2) override { lines.push_back({x1, y1, x2, y2}); }
    void Polyline(const PipePoint* p, int n) override
    {
        for (int i = 1; i < n; ++i)
            Line(p[i - 1].x, p[i - 1].y, p[i].x, p[i].y);
    }
    void Polygon(const PipePoint* p, int n) override { polygons.emplace_back(p, p + n); }
    void Text(double x, double y, double angle, GbkView t) override
    {
        texts.push_back({x, y, angle, std::string(t.Bytes())});
    }
    void TextExtent(GbkView t, double, double& w, double& h) override { m_view.TextExtent(t, w, h); }
    void Symbol(const ZDeviceLink&, double left, double top) override { symbols.push_back({left, top}); }
    int DeviceSize(int px) const override { return m_view.DeviceSize(px); }
    double Scale() const override { return m_view.GetScale(); }
    const ViewExtent& ClipRect() const override { return m_clip; }

    int selects = 0;
    std::vector<ViewExtent> rects, outlines;
    std::vector<std::vector<double>> lines;
    std::vector<std::vector<PipePoint>> polygons;
    std::vector<TextRun> texts;
    std::vector<PipePoint> symbols;

private:
    const ZNetView& m_view;
    ViewExtent m_clip;
};
