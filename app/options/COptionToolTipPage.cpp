#include "COptionToolTipPage.h"

#include "model/ZSettingsStore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {
struct Caption {
    int bit;
    const char* text;
};
const Caption kTipNode[] = {{1, QT_TRANSLATE_NOOP("COptionToolTipPage", "节点编号")},
                            {2, QT_TRANSLATE_NOOP("COptionToolTipPage", "节点坐标")},
                            {4, QT_TRANSLATE_NOOP("COptionToolTipPage", "节点流量")},
                            {8, QT_TRANSLATE_NOOP("COptionToolTipPage", "地面标高")},
                            {16, QT_TRANSLATE_NOOP("COptionToolTipPage", "绝对压力")},
                            {32, QT_TRANSLATE_NOOP("COptionToolTipPage", "自由水头")},
                            {0, nullptr}};
const Caption kTipPipe[] = {{1, QT_TRANSLATE_NOOP("COptionToolTipPage", "管道编号")},
                            {2, QT_TRANSLATE_NOOP("COptionToolTipPage", "粗糙系数")},
                            {4, QT_TRANSLATE_NOOP("COptionToolTipPage", "标准管径")},
                            {8, QT_TRANSLATE_NOOP("COptionToolTipPage", "管道长度")},
                            {32, QT_TRANSLATE_NOOP("COptionToolTipPage", "管道流量")},
                            {128, QT_TRANSLATE_NOOP("COptionToolTipPage", "管道流速")},
                            {256, QT_TRANSLATE_NOOP("COptionToolTipPage", "水力坡度")},
                            {512, QT_TRANSLATE_NOOP("COptionToolTipPage", "管道压降")},
                            {0, nullptr}};
const Caption kTipPump[] = {
    {1, QT_TRANSLATE_NOOP("COptionToolTipPage", "水泵编号")},  {2, QT_TRANSLATE_NOOP("COptionToolTipPage", "水泵名称")},
    {4, QT_TRANSLATE_NOOP("COptionToolTipPage", "水泵扬程")},  {8, QT_TRANSLATE_NOOP("COptionToolTipPage", "额定转速")},
    {16, QT_TRANSLATE_NOOP("COptionToolTipPage", "阻力系数")}, {0, nullptr}};
const Caption kTipValve[] = {{1, QT_TRANSLATE_NOOP("COptionToolTipPage", "阀门编号")},
                             {2, QT_TRANSLATE_NOOP("COptionToolTipPage", "降压量")},
                             {4, QT_TRANSLATE_NOOP("COptionToolTipPage", "阻力系数")},
                             {0, nullptr}};
const Caption kTipTank[] = {{1, QT_TRANSLATE_NOOP("COptionToolTipPage", "水池编号")},
                            {2, QT_TRANSLATE_NOOP("COptionToolTipPage", "水池水位")},
                            {4, QT_TRANSLATE_NOOP("COptionToolTipPage", "水池面积")},
                            {0, nullptr}};
const Caption* const kTipKinds[] = {kTipNode, kTipPipe, kTipPump, kTipValve, kTipTank};
const char* const kGroups[] = {
    QT_TRANSLATE_NOOP("COptionToolTipPage", "节点"), QT_TRANSLATE_NOOP("COptionToolTipPage", "管道"),
    QT_TRANSLATE_NOOP("COptionToolTipPage", "水泵"), QT_TRANSLATE_NOOP("COptionToolTipPage", "阀门"),
    QT_TRANSLATE_NOOP("COptionToolTipPage", "水池")};
}   // namespace

COptionToolTipPage::COptionToolTipPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent)
    : COptionPage(settings, draw, prompt, parent)
{
    setObjectName(QStringLiteral("toolTipPage"));
    auto* top = new QVBoxLayout(this);
    m_on = new QCheckBox(tr("打开提示"), this);
    m_on->setObjectName(QStringLiteral("tipOn"));
    top->addWidget(m_on);
    auto* grid = new QGridLayout;
    for (int k = 0; k < 5; ++k) {
        auto* group = new QGroupBox(tr(kGroups[k]), this);
        auto* col = new QVBoxLayout(group);
        for (const Caption* c = kTipKinds[k]; c->text; ++c) {
            auto* box = new QCheckBox(tr(c->text), group);
            box->setObjectName(QStringLiteral("tip%1_%2").arg(k).arg(c->bit));
            col->addWidget(box);
            m_items.push_back({k, c->bit, box});
        }
        col->addStretch(1);
        grid->addWidget(group, k < 2 ? 0 : 1, k < 2 ? k : k - 2, 1, 1);
    }
    top->addLayout(grid, 1);
    connect(m_on, &QCheckBox::toggled, this, &COptionToolTipPage::UpdateEnabling);
    LoadPage();
}

int* COptionToolTipPage::Mask(int kind) const
{
    ZLabelTipSettings& lt = m_settings.LabelTip();
    int* const masks[] = {&lt.NodeTip, &lt.PipeTip, &lt.PumpTip, &lt.ValveTip, &lt.TankTip};
    return masks[kind];
}

QCheckBox* COptionToolTipPage::ItemBox(int kind, int bit) const
{
    for (const Item& i : m_items)
        if (i.kind == kind && i.bit == bit)
            return i.box;
    return nullptr;
}

void COptionToolTipPage::UpdateEnabling()
{
    for (const Item& i : m_items)
        i.box->setEnabled(m_on->isChecked());
}

void COptionToolTipPage::LoadPage()
{
    m_on->setChecked(m_settings.ToolTipOn);
    for (const Item& i : m_items)
        i.box->setChecked((*Mask(i.kind) & i.bit) != 0);
    UpdateEnabling();
}

void COptionToolTipPage::ApplyPage()
{
    m_settings.ToolTipOn = m_on->isChecked();
    int masks[5] = {0, 0, 0, 0, 0};
    for (const Item& i : m_items)
        if (i.box->isChecked())
            masks[i.kind] |= i.bit;
    for (int k = 0; k < 5; ++k) {
        // Bits this page does not show are kept as they were.
        int shown = 0;
        for (const Item& i : m_items)
            if (i.kind == k)
                shown |= i.bit;
        *Mask(k) = (*Mask(k) & ~shown) | masks[k];
    }
}
