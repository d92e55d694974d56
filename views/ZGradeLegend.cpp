#include "ZGradeLegend.h"

#include "QtDrawContext.h"
#include "ZNetCanvas.h"
#include "ZResultColouring.h"

#include "model/UnitSystem.h"
#include "model/ZDrawSettings.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {
const std::vector<double>& NodeTable(const ZDrawSettings& ds, const UnitSystem& u, QString& title,
                                     const UnitCategory*& unit)
{
    switch (ds.NodeGradeMode) {
    case ZDrawSettings::NodeByElevation:
        title = QCoreApplication::translate("ZGradeLegend", "节点地面标高");
        unit = &u.Hydr();
        return ds.NodeElevGrades;
    case ZDrawSettings::NodeByHead:
        title = QCoreApplication::translate("ZGradeLegend", "节点水压");
        unit = &u.Hydr();
        return ds.NodeHeadGrades;
    case ZDrawSettings::NodeByFreeHead:
        title = QCoreApplication::translate("ZGradeLegend", "节点自由水头");
        unit = &u.Hydr();
        return ds.NodeFreeHeadGrades;
    default:
        title = QCoreApplication::translate("ZGradeLegend", "节点流量");
        unit = &u.FlowUnit();
        return ds.NodeFlowGrades;
    }
}

const std::vector<double>& PipeTable(const ZDrawSettings& ds, const UnitSystem& u, QString& title,
                                     const UnitCategory*& unit)
{
    switch (ds.PipeGradeMode) {
    case ZDrawSettings::PipeByFlow:
        title = QCoreApplication::translate("ZGradeLegend", "管道流量");
        unit = &u.FlowUnit();
        return ds.PipeFlowGrades;
    case ZDrawSettings::PipeByHeadLoss:
        title = QCoreApplication::translate("ZGradeLegend", "管道水损");
        unit = &u.Hydr();
        return ds.PipeHLossGrades;
    case ZDrawSettings::PipeByVelocity:
        title = QCoreApplication::translate("ZGradeLegend", "管道流速");
        unit = &u.Velo();
        return ds.PipeVeloGrades;
    case ZDrawSettings::PipeByDiameter:
        title = QCoreApplication::translate("ZGradeLegend", "管径");
        unit = &u.Diam();
        return ds.PipeDiamGrades;
    default:
        title = QCoreApplication::translate("ZGradeLegend", "管道坡度");
        unit = &u.Slope();
        return ds.PipeSlopeGrades;
    }
}
}   // namespace

ZGradeLegend::ZGradeLegend(const ZNetCanvas& canvas) : m_canvas(canvas)
{
    const ZDrawSettings& ds = canvas.DrawSettings();
    const UnitSystem& units = canvas.Settings().Units();
    const auto& col = canvas.Settings().Colors();
    auto add = [this](QString title, const UnitCategory& unit, const std::vector<double>& table,
                      const std::vector<uint32_t>& colours, bool lines) {
        if (colours.empty())
            return;
        Block b;
        b.title = title + QStringLiteral(" (") + QString::fromStdString(unit.UnitName()) + QLatin1Char(')');
        b.colours = colours;
        b.ranges = RangeTexts(table, unit, colours.size());
        b.lines = lines;
        m_blocks.push_back(std::move(b));
    };
    // A colouring by analysis results stands in for the grades of its kind.
    const ZResultColouring* results = canvas.ResultColouring();
    auto addResults = [this](const ZResultColouring::Layer& layer, bool lines) {
        m_blocks.push_back(Block{layer.title, layer.colours, layer.ranges, lines});
    };
    QString title;
    const UnitCategory* unit = nullptr;
    if (results && !results->nodes.IsEmpty()) {
        addResults(results->nodes, false);
    } else if (ds.NodeGradeOn) {
        const auto& t = NodeTable(ds, units, title, unit);
        add(title, *unit, t, col.NodeGradeColors, false);
    }
    if (results && !results->pipes.IsEmpty()) {
        addResults(results->pipes, true);
    } else if (ds.PipeGradeOn) {
        const auto& t = PipeTable(ds, units, title, unit);
        add(title, *unit, t, col.PipeGradeColors, true);
    }
}

QStringList ZGradeLegend::RangeTexts(const std::vector<double>& t, const UnitCategory& unit, size_t classes)
{
    // Class i holds t[i-1] <= v < t[i]; classes beyond the table share the last colour (see the
    // drawing context), so the last colour stands for everything above the last boundary.
    auto f = [&unit](double v) { return QString::fromStdString(unit.FormatFixed(v)); };
    QStringList out;
    const size_t n = std::min(t.size(), classes > 0 ? classes - 1 : 0);
    for (size_t i = 0; i < classes; ++i) {
        if (n == 0)
            out << tr("全部");
        else if (i == 0)
            out << QStringLiteral("< ") + f(t[0]);
        else if (i < n)
            out << f(t[i - 1]) + QStringLiteral(" - ") + f(t[i]);
        else if (i == n)
            out << QStringLiteral("≥ ") + f(t[n - 1]);
        else
            break;
    }
    return out;
}

int ZGradeLegend::Line() const
{
    return std::max(m_canvas.LabelHeight(), m_canvas.DeviceSize(14));
}

QSize ZGradeLegend::Size() const
{
    if (m_blocks.empty())
        return {};
    const QFontMetrics fm(m_canvas.LabelFont());
    const int pad = m_canvas.DeviceSize(6);
    const int swatch = m_canvas.DeviceSize(18);
    int w = 0, h = pad;
    for (const Block& b : m_blocks) {
        w = std::max(w, fm.horizontalAdvance(b.title));
        for (const QString& r : b.ranges)
            w = std::max(w, swatch + pad + fm.horizontalAdvance(r));
        h += Line() * static_cast<int>(1 + b.ranges.size()) + pad;
    }
    return {w + 2 * pad, h};
}

void ZGradeLegend::Paint(QPainter& painter, const QPoint& topLeft) const
{
    if (m_blocks.empty())
        return;
    const auto& col = m_canvas.Settings().Colors();
    const QColor text = QtDrawContext::ToColor(col.NodeText);
    const int pad = m_canvas.DeviceSize(6);
    const int swatch = m_canvas.DeviceSize(18);
    const int line = Line();
    const QFontMetrics fm(m_canvas.LabelFont());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(m_canvas.LabelFont());
    // A frame in the pipe colour over the background, so the key reads on any background.
    painter.setPen(QPen(QtDrawContext::ToColor(col.Pipe), std::max(1, m_canvas.DeviceSize(1))));
    painter.setBrush(QtDrawContext::ToColor(col.BkGround));
    const QSize size = Size();
    painter.drawRect(QRect(topLeft, size).adjusted(0, 0, -1, -1));
    int y = topLeft.y() + pad;
    const int x = topLeft.x() + pad;
    const int base = (line + fm.ascent() - fm.descent()) / 2;
    for (const Block& b : m_blocks) {
        painter.setPen(text);
        painter.drawText(QPoint(x, y + base), b.title);
        y += line;
        for (int i = 0; i < b.ranges.size(); ++i) {
            const QColor c = QtDrawContext::ToColor(b.colours[std::min(static_cast<size_t>(i), b.colours.size() - 1)]);
            if (b.lines) {
                const int w = std::max(2, m_canvas.DeviceSize(3));
                painter.fillRect(QRect(x, y + line / 2 - w / 2, swatch, w), c);
            } else {
                const int s = std::min(swatch, line - 2 * std::max(1, m_canvas.DeviceSize(2)));
                painter.setPen(QtDrawContext::ToColor(col.Node));
                painter.setBrush(c);
                painter.drawRect(QRect(x + (swatch - s) / 2, y + (line - s) / 2, s - 1, s - 1));
            }
            painter.setPen(text);
            painter.drawText(QPoint(x + swatch + pad, y + base), b.ranges[i]);
            y += line;
        }
        y += pad;
    }
    painter.restore();
}
