#pragma once
#include <QCoreApplication>
class QPainter;
class QSize;
class ZModuleSurface;
class ZSettingsStore;

// The key of the three-dimensional window, painted over its picture: the quantity shown and its
// lowest and highest value beside a bar in the surface's colours.
class CModuleLegend {
    Q_DECLARE_TR_FUNCTIONS(CModuleLegend)

public:
    static void Paint(QPainter& p, const QSize& window, const ZSettingsStore& settings, const ZModuleSurface& surface,
                      bool freeHead);
};
