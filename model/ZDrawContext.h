#pragma once
#include "GbkView.h"
#include "PipePoint.h"
#include "ViewExtent.h"

#include <string_view>

class ZFlowNode;
class ZPipeLink;
class ZDeviceLink;

// What network objects draw through. Every coordinate and length is in world units (y up); the
// implementation maps them to its device. Texts are GBK bytes.
class ZDrawContext {
public:
    virtual ~ZDrawContext() = default;

    // Pen, brush and text colour for the object's state (erase, selected, grade, normal).
    virtual void SelectNode(const ZFlowNode& node) = 0;
    virtual void SelectPipe(const ZPipeLink& pipe) = 0;
    virtual void SelectDevice(const ZDeviceLink& device) = 0;
    virtual void Restore() = 0;

    // Filled with the current brush and outlined with the current pen.
    virtual void Rectangle(const ViewExtent& r) = 0;
    virtual void RectangleOutline(const ViewExtent& r) = 0;
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
    virtual void Polyline(const PipePoint* points, int count) = 0;
    virtual void Polygon(const PipePoint* points, int count) = 0;
    // Text whose top-left corner (before rotation) is at (x, y), turned by angle radians
    // counter-clockwise about that corner.
    virtual void Text(double x, double y, double angle, GbkView text) = 0;
    // World width and height of the text as drawn unrotated.
    virtual void TextExtent(GbkView text, double angle, double& width, double& height) = 0;
    // The device's symbol image with its top-left corner at (left, top): selected variant when the
    // device is selected.
    virtual void Symbol(const ZDeviceLink& device, double left, double top) = 0;

    // What is drawn between these two calls is one object's label, covering `bounds`: a context
    // may leave it out where it would overlap a label already placed.
    virtual void BeginLabel(const ViewExtent& bounds) { (void)bounds; }
    virtual void EndLabel() {}

    // A size given in screen pixels converted to this device's pixels (size x dpi / 98).
    virtual int DeviceSize(int pixels) const = 0;
    // World units per device pixel.
    virtual double Scale() const = 0;
    // World rectangle being painted; objects outside it are skipped.
    virtual const ViewExtent& ClipRect() const = 0;
};
