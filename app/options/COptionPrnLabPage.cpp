#include "COptionPrnLabPage.h"
#include "COptionLabelPreview.h"

#include "model/ZSettingsStore.h"
#include "views/GbkText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
using L = ZLabelTipSettings;
struct Def {
    int kind;
    int bit;
    const char* text;
    GbkString L::*prefix;
};
// Node items, then the pipe's upper items (id, coefficient, diameter, length) and lower items
// (flow, velocity, gradient, pressure drop).
const Def kDefs[] = {
    {0, 1, QT_TRANSLATE_NOOP("COptionPrnLabPage", "节点编号"), &L::NodeId},
    {0, 2, QT_TRANSLATE_NOOP("COptionPrnLabPage", "节点坐标"), &L::NodeCoord},
    {0, 4, QT_TRANSLATE_NOOP("COptionPrnLabPage", "节点流量"), &L::NodeFlow},
    {0, 32, QT_TRANSLATE_NOOP("COptionPrnLabPage", "自由水头"), &L::NodeFreeHead},
    {0, 8, QT_TRANSLATE_NOOP("COptionPrnLabPage", "地面标高"), &L::NodeElev},
    {0, 16, QT_TRANSLATE_NOOP("COptionPrnLabPage", "绝对压力"), &L::NodeHydr},
    {1, 1, QT_TRANSLATE_NOOP("COptionPrnLabPage", "管道编号"), &L::PipeId},
    {1, 8, QT_TRANSLATE_NOOP("COptionPrnLabPage", "管道长度"), &L::PipeLeng},
    {1, 4, QT_TRANSLATE_NOOP("COptionPrnLabPage", "标准管径"), &L::PipeDiam},
    {1, 2, QT_TRANSLATE_NOOP("COptionPrnLabPage", "粗糙系数"), &L::PipeCoef},
    {2, 32, QT_TRANSLATE_NOOP("COptionPrnLabPage", "管道流量"), &L::PipeFlow},
    {2, 128, QT_TRANSLATE_NOOP("COptionPrnLabPage", "管道流速"), &L::PipeVelo},
    {2, 256, QT_TRANSLATE_NOOP("COptionPrnLabPage", "水力坡度"), &L::PipeI},
    {2, 512, QT_TRANSLATE_NOOP("COptionPrnLabPage", "管道压降"), &L::PipeHLoss},
};
}   // namespace

COptionPrnLabPage::COptionPrnLabPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent)
    : COptionPage(settings, draw, prompt, parent)
{
    setObjectName(QStringLiteral("prnLabelPage"));
    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    QGroupBox* groups[2] = {new QGroupBox(tr("节点标注"), this), new QGroupBox(tr("管道标注"), this)};
    QGridLayout* grids[2] = {new QGridLayout(groups[0]), new QGridLayout(groups[1])};
    int rows[2] = {0, 0};
    for (const Def& d : kDefs) {
        const int g = d.kind == 0 ? 0 : 1;
        auto* box = new QCheckBox(tr(d.text), groups[g]);
        auto* edit = new QLineEdit(groups[g]);
        edit->setMaximumWidth(70);
        box->setObjectName(QStringLiteral("item%1_%2").arg(g).arg(rows[g]));
        edit->setObjectName(QStringLiteral("prefix%1_%2").arg(g).arg(rows[g]));
        grids[g]->addWidget(box, rows[g], 0);
        grids[g]->addWidget(edit, rows[g], 1);
        ++rows[g];
        m_items.push_back({d.kind, d.bit, d.prefix, box, edit});
        connect(box, &QCheckBox::toggled, this, &COptionPrnLabPage::Changed);
        connect(edit, &QLineEdit::textChanged, this, &COptionPrnLabPage::Changed);
    }
    m_sep = new QLineEdit(groups[1]);
    m_sep->setObjectName(QStringLiteral("separator"));
    m_sep->setMaximumWidth(70);
    auto* sepRow = new QFormLayout;
    sepRow->addRow(tr("标注连接符:"), m_sep);
    grids[1]->addLayout(sepRow, rows[1], 0, 1, 2);
    connect(m_sep, &QLineEdit::textChanged, this, &COptionPrnLabPage::Changed);
    row->addWidget(groups[0]);
    row->addWidget(groups[1]);
    top->addLayout(row);
    m_preview = new COptionLabelPreview(settings, this);
    top->addWidget(m_preview, 1);
    LoadPage();
}

QCheckBox* COptionPrnLabPage::ItemBox(int kind, int i) const
{
    int n = 0;
    for (const Item& it : m_items)
        if ((kind == 0) == (it.kind == 0) && n++ == i)
            return it.box;
    return nullptr;
}

QLineEdit* COptionPrnLabPage::PrefixEdit(int kind, int i) const
{
    int n = 0;
    for (const Item& it : m_items)
        if ((kind == 0) == (it.kind == 0) && n++ == i)
            return it.edit;
    return nullptr;
}

void COptionPrnLabPage::LoadPage()
{
    const ZLabelTipSettings& lt = m_settings.LabelTip();
    const int masks[3] = {lt.NodeFlags, lt.PipeUpFlags, lt.PipeDownFlags};
    for (const Item& it : m_items) {
        const QSignalBlocker b1(it.box), b2(it.edit);
        it.box->setChecked((masks[it.kind] & it.bit) != 0);
        it.edit->setText(GbkText::ToQString(lt.*(it.prefix)));
        it.edit->setEnabled(it.box->isChecked());
    }
    {
        const QSignalBlocker b(m_sep);
        m_sep->setText(GbkText::ToQString(lt.PipeSep));
    }
    Changed();
}

void COptionPrnLabPage::Collect(ZLabelTipSettings& out) const
{
    int masks[3] = {0, 0, 0};
    for (const Item& it : m_items) {
        if (it.box->isChecked())
            masks[it.kind] |= it.bit;
        out.*(it.prefix) = GbkText::FromQString(it.edit->text());
    }
    // Bits of items this page does not offer stay as they were.
    int offered[3] = {0, 0, 0};
    for (const Item& it : m_items)
        offered[it.kind] |= it.bit;
    out.NodeFlags = (out.NodeFlags & ~offered[0]) | masks[0];
    out.PipeUpFlags = (out.PipeUpFlags & ~offered[1]) | masks[1];
    out.PipeDownFlags = (out.PipeDownFlags & ~offered[2]) | masks[2];
    out.PipeSep = GbkText::FromQString(m_sep->text());
}

void COptionPrnLabPage::Changed()
{
    for (const Item& it : m_items)
        it.edit->setEnabled(it.box->isChecked());
    ZLabelTipSettings sample = m_settings.LabelTip();
    Collect(sample);
    m_preview->SetLabels(sample);
}

void COptionPrnLabPage::ApplyPage()
{
    Collect(m_settings.LabelTip());
}
