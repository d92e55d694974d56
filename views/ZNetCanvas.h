#pragma once
#include "ZLabelPlacer.h"
#include "ZSymbolThinner.h"
#include "ZVisibleSet.h"
#include "ZZoomTool.h"

#include "model/ZNetView.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <QRect>

#include <functional>
#include <memory>

class LabelGlyphs;
class ZBackgroundImage;
class QPainter;
class QRegion;
class QtDrawContext;
class ZCanvasHost;
class ZDocument;
class ZFocusHint;
class ZResultColouring;
class ZSelectTracker;
class ZWorkShopHost;

// World-to-pixel mapping and view state of one graphic view: centre, scale (world units per
// pixel), viewport, the visible set and the zoom tool. It is the ZNetView the objects draw for.
class ZNetCanvas : public ZNetView {
public:
    using OverlayHook = std::function<void(ZNetCanvas&, QtDrawContext&)>;
    // Screen pixels around a changed object where the contours of the last run are left out.
    static constexpr int StaleContourMargin = 24;

    ZNetCanvas(const ZSettingsStore& settings, ZCanvasHost* host = nullptr);
    ~ZNetCanvas() override;

    void SetDocument(ZDocument* doc);
    ZDocument* Document() const { return m_doc; }
    ZCanvasHost* Host() const { return m_host; }

    // ZNetView
    const ZSettingsStore& Settings() const override { return m_settings; }
    const ZDrawSettings& DrawSettings() const override;
    bool IsResultStale(const ZNetObject& obj) const override;
    double GetScale() const override { return m_scale; }
    int DeviceSize(int pixels) const override;
    bool IsPrinting() const override { return m_printing; }
    bool IsWorkshopActive() const override { return m_workshopActive; }
    void TextExtent(GbkView text, double& width, double& height) const override;
    // Through the interface's language (tooltips: a few a second).
    GbkString Caption(const char* utf8) const override;
    bool LabelArea(ViewExtent& area) const override;

    // Mapping. Device x, y are pixels from the viewport origin, y down.
    void DeviceToWorld(double px, double py, double& x, double& y) const;
    void WorldToDevice(double x, double y, int& px, int& py) const;
    // The same without truncation, for drawing.
    QPointF WorldToDeviceF(double x, double y) const;
    ViewExtent DeviceRectToWorld(const QRect& r) const;
    QRect WorldRectToDevice(const ViewExtent& e) const;
    double DeviceLengthToWorld(double d) const { return d * m_scale; }
    ViewExtent GetExtent() const { return DeviceRectToWorld(m_viewport); }

    void SetCentre(double x, double y)
    {
        m_cx = x;
        m_cy = y;
    }
    double CentreX() const { return m_cx; }
    double CentreY() const { return m_cy; }
    // A scale that is not a positive finite number is refused (the previous one stays): the
    // mapping divides by it.
    bool SetScale(double s);
    void SetViewport(const QRect& r) { m_viewport = r; }
    const QRect& GetViewport() const { return m_viewport; }
    // Scale and centre that show the extent in the client rectangle (scale 1 for a point).
    static void FitExtent(const ViewExtent& e, const QRect& client, double& cx, double& cy, double& scale);
    // First view of a document: fit, push the first history entry, apply.
    void FitToRect(const ViewExtent& e);
    // The world rectangle of everything drawn at the current scale: symbols, the labels that
    // show, the background when shown. Empty for an empty document.
    ViewExtent DrawnExtent() const;
    // Centre and scale at which DrawnExtent lies inside `area` (viewport pixels) with `gap`
    // pixels to spare; false (nothing changed) when there is nothing to fit.
    bool FitDrawing(const QRect& area, int gap, double& cx, double& cy, double& scale);

    // The dots per inch of the device drawn on: the screen's, or the printer's while printing.
    void SetDeviceDpi(int dpiX, int dpiY);
    int DpiX() const { return m_dpiX; }
    int DpiY() const { return m_dpiY; }
    void SetPrinting(bool on)
    {
        m_printing = on;
        m_printPlacer.Reset();
        m_printThinner.Reset();
        m_printDevicePlacer.Reset();
    }
    void SetWorkshopActive(bool on) { m_workshopActive = on; }
    // The label font at the device's resolution: 8 points of a CJK-capable sans-serif family
    // (DefaultLabelFamilies, the first one installed), whatever the system maps "Arial" to.
    const QFont& LabelFont() const { return m_font; }
    static QStringList DefaultLabelFamilies();
    // Another family list (tests draw labels with several); applies at once.
    void SetLabelFamilies(const QStringList& families);
    const LabelGlyphs& Glyphs() const { return *m_glyphs; }
    // The text cell of a label in whole device pixels: the baseline lies LabelAscent() below its
    // top. Above and below the glyphs' ink it keeps half a flow arrow's width and a pixel clear,
    // so that a label set over or under a pipe (its cell edge on the line) never touches the line
    // or the arrow, and underscores and descenders stay visible.
    int LabelAscent() const;
    int LabelHeight() const;

    ZVisibleSet& VisibleSet() { return m_visible; }
    const ZVisibleSet& VisibleSet() const { return m_visible; }
    void RebuildVisibleSet();
    ZZoomTool& ZoomTool() { return *m_zoom; }

    // Labels that would overlap one already shown are left out; the placer remembers what is shown.
    // Null when every label is drawn.
    ZLabelPlacer* Placer() { return !m_declutter ? nullptr : m_printing ? &m_printPlacer : &m_placer; }
    void SetLabelDeclutter(bool on)
    {
        m_declutter = on;
        m_placer.Reset();
    }
    // What labels show or where they go changed: forget what was placed.
    void ForgetLabels()
    {
        m_placer.Reset();
        m_thinner.Reset();
        m_devicePlacer.Reset();
    }
    // Node symbols closer than the spacing to one drawn, and device symbols overlapping one
    // drawn, are left out (with their labels). Null when every symbol is drawn.
    ZSymbolThinner* Thinner() { return !m_thinning ? nullptr : m_printing ? &m_printThinner : &m_thinner; }
    ZLabelPlacer* DevicePlacer() { return !m_thinning ? nullptr : m_printing ? &m_printDevicePlacer : &m_devicePlacer; }
    void SetSymbolThinning(bool on)
    {
        m_thinning = on;
        ForgetLabels();
    }
    // Pixels between the centres of two node symbols drawn side by side: a free node width.
    int SymbolSpacing() const;

    ZBackgroundImage& Background() { return *m_background; }

    // Colours from analysis results drawn over the grade colours; null: none.
    void SetResultColouring(std::shared_ptr<const ZResultColouring> c) { m_colouring = std::move(c); }
    const ZResultColouring* ResultColouring() const { return m_colouring.get(); }
    const std::shared_ptr<const ZResultColouring>& SharedResultColouring() const { return m_colouring; }

    void SetOverlay(OverlayHook hook) { m_overlay = std::move(hook); }
    const OverlayHook& Overlay() const { return m_overlay; }

    // The editing tools of the view: selection, workshop host and its focus hint.
    ZSelectTracker& Tracker() { return *m_tracker; }
    ZFocusHint& FocusHint() { return *m_hint; }
    ZWorkShopHost& WorkShops() { return *m_workshops; }
    const ZWorkShopHost& WorkShops() const { return *m_workshops; }

    // Paint the network as it shows: background, links, nodes, overlay. `clip` is in pixels of the
    // viewport; an empty clip paints everything.
    void Paint(QPainter& painter, const QRect& clip = QRect(), bool eraseBackground = true);

    // The pick square of `side` pixels around a pixel, in world units.
    ViewExtent PickSquare(const QPoint& pt, int side) const;
    // First object under the pick square around a pixel (nodes before links), or null.
    ZNetObject* PickAt(const QPoint& pt, int side) const;

    // Filled contour bands lie under the network.
    bool ContourFillShown() const;

private:
    // Under the network, when the document is balanced and shows contours.
    void PaintContours(QPainter& painter) const;
    // Device rectangles around the visible objects whose results are stale; false when there are
    // too many to draw contours between.
    bool StaleRegion(QRegion& region) const;

    const ZSettingsStore& m_settings;
    ZCanvasHost* m_host;
    ZDocument* m_doc = nullptr;
    double m_cx = 0.0, m_cy = 0.0;
    double m_scale = 1.0;
    QRect m_viewport{0, 0, 1, 1};
    int m_dpiX = 96, m_dpiY = 96;
    bool m_printing = false;
    bool m_workshopActive = false;
    QStringList m_labelFamilies = DefaultLabelFamilies();
    QFont m_font;
    std::unique_ptr<QFontMetricsF> m_metrics;
    std::unique_ptr<LabelGlyphs> m_glyphs;
    int m_textAscent = 0;
    int m_textDescent = 0;
    int m_inkAscent = 0;
    ZVisibleSet m_visible;
    std::unique_ptr<ZZoomTool> m_zoom;
    int LabelClearance() const;
    OverlayHook m_overlay;
    std::shared_ptr<const ZResultColouring> m_colouring;
    ZLabelPlacer m_placer;
    ZLabelPlacer m_printPlacer;
    std::unique_ptr<ZBackgroundImage> m_background;   // a page is laid out on its own
    bool m_declutter = true;
    ZSymbolThinner m_thinner, m_printThinner;
    ZLabelPlacer m_devicePlacer, m_printDevicePlacer;
    bool m_thinning = true;
    std::unique_ptr<ZSelectTracker> m_tracker;
    std::unique_ptr<ZFocusHint> m_hint;
    std::unique_ptr<ZWorkShopHost> m_workshops;
};
