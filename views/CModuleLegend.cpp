#include "CModuleLegend.h"

#include "ZModuleSurface.h"

#include "model/ZSettingsStore.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace {
QColor ToColor(uint32_t c)
{
    return QColor(ZColorSettings::Red(c), ZColorSettings::Green(c), ZColorSettings::Blue(c));
}
}   // namespace

void CModuleLegend::Paint(QPainter& p, const QSize& window, const ZSettingsStore& settings,
                          const ZModuleSurface& surface, bool freeHead)
{
    p.setRenderHint(QPainter::Antialiasing);
    const auto& colors = settings.Colors();
    const QColor bk = ToColor(colors.BkGround);
    const QColor ink = bk.lightness() > 128 ? QColor(30, 30, 30) : QColor(235, 235, 235);
    const QString title = freeHead ? tr("自由水头线") : tr("绝对水压线");
    const UnitCategory& unit = settings.Units().Hydr();
    QFont font = p.font();
    font.setPointSizeF(9.0);
    p.setFont(font);
    const QFontMetrics fm(font);
    const int x = 12, y = 10, barW = 14, barH = std::clamp(window.height() / 3, 60, 180);
    p.setPen(ink);
    p.drawText(x, y + fm.ascent(), title);
    const QRect bar(x, y + fm.height() + 6, barW, barH);
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    // A flat surface has one colour, the lowest.
    g.setColorAt(0.0, ToColor(surface.IsFlat() ? colors.ContourFillLow : colors.ContourFillHigh));
    g.setColorAt(1.0, ToColor(colors.ContourFillLow));
    p.fillRect(bar, g);
    p.setPen(QPen(ink, 1));
    p.drawRect(bar.adjusted(0, 0, -1, -1));
    auto label = [&](double v) {
        return QString::fromStdString(unit.FormatFixed(v)) + QLatin1Char(' ') + QString::fromStdString(unit.UnitName());
    };
    p.drawText(bar.right() + 6, bar.top() + fm.ascent() / 2 + 2, label(surface.High()));
    p.drawText(bar.right() + 6, bar.bottom() + fm.ascent() / 2 - 2, label(surface.Low()));
}
