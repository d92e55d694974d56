#pragma once
#include "GbkCodec.h"
#include "GbkView.h"
#include "ViewExtent.h"
#include "ZDrawSettings.h"
#include "ZSettingsStore.h"

#include <string_view>

class ZNetObject;

// What an object operation needs to know about "the view" it works for: the application's
// settings (units included) and the document's display record. Views that draw extend this
// interface; every drawing member has a default, so text-only views (tests, the command-line
// tool, the CAD export) keep working without knowing about drawing.
class ZNetView {
public:
    virtual ~ZNetView() = default;

    virtual const ZSettingsStore& Settings() const = 0;
    virtual const ZDrawSettings& DrawSettings() const = 0;

    const UnitSystem& Units() const { return Settings().Units(); }
    const ZLabelTipSettings& LabelTip() const { return Settings().LabelTip(); }
    // Labels are on and the view is zoomed in at least as far as the largest label scale.
    bool LabelsShown() const { return Settings().LabelOn && LabelTip().LabelsAtScale(GetScale()); }

    // The object's balancing results belong to an older network (ZDocument::IsResultStale):
    // texts leave them empty, drawings withhold or mark what depends on them.
    virtual bool IsResultStale(const ZNetObject&) const { return false; }

    // Drawing views answer these; the defaults are an unzoomed screen that is not printing.
    // World units per device pixel.
    virtual double GetScale() const { return 1.0; }
    // A screen-pixel size on the device drawn on (size x dpi / 98).
    virtual int DeviceSize(int pixels) const { return pixels; }
    // Symbol anchors are scaled only on a printer, where the symbols are stretched.
    virtual bool IsPrinting() const { return false; }
    // Project labels give way to an editing tool.
    virtual bool IsWorkshopActive() const { return false; }
    // The world rectangle framed labels should keep inside (the window, the printed page);
    // false when there is none.
    virtual bool LabelArea(ViewExtent& area) const
    {
        (void)area;
        return false;
    }
    // A caption of a tooltip or label item ("节点编号:"), in the interface's language. The
    // program's views translate; the core's texts are Chinese.
    virtual GbkString Caption(const char* utf8) const { return GbkCodec::FromUtf8(utf8); }
    // World width and height of a label text (GBK) in the label font.
    virtual void TextExtent(GbkView text, double& width, double& height) const
    {
        width = static_cast<double>(text.size()) * 6.0 * GetScale();
        height = 13.0 * GetScale();
    }
};
