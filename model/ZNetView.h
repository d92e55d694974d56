#pragma once
#include "ZDrawSettings.h"
#include "ZSettingsStore.h"

// What an object operation needs to know about "the view" it works for: the application's
// settings (units included) and the document's display record. Views that draw extend this
// interface; everything added later has a default, so text-only views (tests, the command-line
// tool, the CAD export) keep working without knowing about drawing.
class ZNetView {
public:
    virtual ~ZNetView() = default;

    virtual const ZSettingsStore& Settings() const = 0;
    virtual const ZDrawSettings& DrawSettings() const = 0;

    const UnitSystem& Units() const { return Settings().Units(); }
    const ZLabelTipSettings& LabelTip() const { return Settings().LabelTip(); }
};
