#pragma once
#include "ZCadCanvas.h"
#include "model/PipePoint.h"

#include <string>
#include <vector>

class Prompt;
class ProgressObserver;
class ZDocument;
class ZFlowNode;
class ZNetView;
class ZNetwork;
class ZPipeLink;
class ZSettingsStore;

// Draws a network into a CAD drawing: pipes as polylines with their labels and, once balanced,
// flow arrows; pumps, valves and tanks as symbols; nodes as discs with labels; the document's
// contour lines with their values when contours are on (the traced lines as the graphic view
// draws them, not the fill polygons). Program metres become CAD units; the drawing is told its
// units. Flow arrows and contours have layers of their own.
class ZCadExport {
public:
    struct Options {
        double ScaleCad = 1.0;
        double ScaleQen = 1.0;
        double ArrowSize = 4.0;   // CAD units, not scaled
        double LabelSize = 3.5;
        double NodeSize = 2.0;
        double DevSize = 5.0;
        std::string NodeLayer = "NODE";   // GBK
        std::string PipeLayer = "PIPE";
        std::string LabelLayer = "TEXT";
        std::string OtherLayer = "OTHER";
        // Of their own so that a CAD user can switch them off.
        std::string ArrowLayer = "ARROW";
        std::string ContourLayer = "CONTOUR";
    };
    // Colours (AutoCAD colour index) of the layers in the order Run creates them: labels, nodes,
    // pipes, devices, arrows, contours.
    static constexpr int LayerColours[6] = {7, 1, 5, 3, 6, 30};
    ZCadExport(const ZDocument& doc, const ZSettingsStore& settings, const Options& options);

    double Ratio() const { return m_ratio; }   // CAD units per metre
    // Sizes that read on paper: the default sizes as millimetres on an A1 sheet (841 mm wide)
    // that holds the network at `ratio` CAD units per metre, to two significant digits. The
    // default sizes themselves when the network has no extent.
    static Options ReadableSizes(const ZNetwork& net, double ratio);
    // Whether a text of `height` CAD units would be under 1 mm on such a sheet.
    static bool TooSmall(const ZNetwork& net, double ratio, double height);
    // The drawing pass. A stop request asks "确认终止此操作吗?"; Yes ends the link or node loop (the
    // contour loop asks again on its own).
    void Run(ZCadCanvas& canvas, ProgressObserver* observer, Prompt* prompt);

    // Where a node goes in the drawing: a device outlet moved by the device size along its chain.
    PipePoint Position(const ZFlowNode& node) const;
    // Direction of p -> q in [0, 2pi), and folded into (-pi/2, pi/2] so texts never read upside down.
    static double Direction(const PipePoint& p, const PipePoint& q);
    static double Readable(double angle);
    // The node label's direction: the middle of the widest gap between its pipes.
    static double NodeLabelAngle(const ZFlowNode& node);

private:
    void DrawPipe(ZCadCanvas& h, const ZPipeLink& pipe, const ZNetView& view);
    void DrawNode(ZCadCanvas& h, const ZFlowNode& node, const ZNetView& view);
    void DrawContour(ZCadCanvas& h, const struct ZContourPolygon& c);
    bool Stop(ProgressObserver* observer, Prompt* prompt) const;

    const ZDocument& m_doc;
    const ZSettingsStore& m_settings;
    Options m_options;
    double m_ratio;
};
