#include "COptionLabelPreview.h"

#include "model/ZConsumeNode.h"
#include "model/ZDrawSettings.h"
#include "model/ZNetView.h"
#include "model/ZObjectLabels.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"
#include "views/GbkText.h"

#include <QPainter>

namespace {
class SampleView : public ZNetView {
public:
    explicit SampleView(const ZSettingsStore& s) : m_settings(s) { m_draw.Balanced = 1; }
    const ZSettingsStore& Settings() const override { return m_settings; }
    const ZDrawSettings& DrawSettings() const override { return m_draw; }

private:
    const ZSettingsStore& m_settings;
    ZDrawSettings m_draw;
};
}   // namespace

COptionLabelPreview::COptionLabelPreview(const ZSettingsStore& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("labelPreview"));
    setMinimumSize(260, 130);
}

void COptionLabelPreview::SetLabels(const ZLabelTipSettings& labels)
{
    // The store holds objects that cannot be copied: a fresh one takes what labels use.
    ZSettingsStore store;
    store.Units() = m_settings.Units();
    store.LabelTip() = labels;
    store.LabelTip().LabelMode = ZLabelTipSettings::MultiLine;
    store.LabelOn = true;
    store.LabelTip().MaxLabelScale = 0.0;
    SampleView view(store);
    ZConsumeNode a, b;
    a.SetId("J12");
    b.SetId("J13");
    a.X = 1250.5;
    a.Y = 860.2;
    a.NodeGrunElev = 12.3;
    a.NodeHydrElev = 38.6;
    a.NodeFlow = 0.0125;
    b.X = 1450.5;
    b.Y = 860.2;
    b.NodeGrunElev = 11.8;
    b.NodeHydrElev = 37.9;
    ZPipeLink p;
    p.SetId("P7");
    p.PipeDiam = 0.3;
    p.PipeLength = 200.0;
    p.Flow = 0.045;
    p.Connect(&a, &b);
    m_node = GbkText::ToQString(ZObjectLabels::NodeMultiLabel(view, a));
    GbkString upper, lower;
    ZObjectLabels::PipeMultiLabel(view, p, upper, lower);
    m_upper = GbkText::ToQString(upper);
    m_lower = GbkText::ToQString(lower);
    p.Disconnect();
    update();
}

void COptionLabelPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFontMetrics fm(font());
    // Node at the left with its framed box below it.
    const QPoint node(40, 30);
    p.setPen(Qt::red);
    p.setBrush(QColor(0, 255, 125));
    p.drawRect(node.x() - 3, node.y() - 3, 6, 6);
    const QStringList lines = m_node.isEmpty() ? QStringList() : m_node.split(QLatin1Char('\n'));
    if (!lines.isEmpty()) {
        int w = 0;
        for (const QString& l : lines)
            w = std::max(w, fm.horizontalAdvance(l));
        const int lh = fm.height(), pad = 3;
        const QRect box(node.x() - w / 2 - pad, node.y() + 10, w + 2 * pad, lh * int(lines.size()));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
        p.setPen(QColor(255, 125, 0));
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                p.setPen(Qt::red);
                p.drawLine(box.left(), box.top() + i * lh, box.right(), box.top() + i * lh);
                p.setPen(QColor(255, 125, 0));
            }
            p.drawText(box.left() + pad, box.top() + i * lh + fm.ascent(), lines[i]);
        }
    }
    // Pipe across the right part: upper text above the line, lower text below.
    const int y = height() / 2, x0 = std::min(width() / 2, 150), x1 = width() - 15;
    p.setPen(QPen(Qt::blue, 1));
    p.drawLine(x0, y, x1, y);
    p.setPen(QColor(0, 125, 255));
    const int mid = (x0 + x1) / 2;
    p.drawText(mid - fm.horizontalAdvance(m_upper) / 2, y - fm.descent() - 2, m_upper);
    p.drawText(mid - fm.horizontalAdvance(m_lower) / 2, y + fm.ascent() + 2, m_lower);
}
