#include "COptionLabelPage.h"

#include "model/ZSettingsStore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
const char* const kNode[] = {QT_TRANSLATE_NOOP("COptionLabelPage", "无标注"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "节点编号"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "节点流量"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "地面标高"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "绝对压力"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "自由水头"),
                             nullptr};
const char* const kPipe[] = {QT_TRANSLATE_NOOP("COptionLabelPage", "无标注"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "管道编号"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "管道长度"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "标准管径"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "管道流量"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "管道压降"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "水力坡度"),
                             QT_TRANSLATE_NOOP("COptionLabelPage", "管道流速"),
                             nullptr};
const char* const kPump[] = {
    QT_TRANSLATE_NOOP("COptionLabelPage", "无标注"),   QT_TRANSLATE_NOOP("COptionLabelPage", "水泵编号"),
    QT_TRANSLATE_NOOP("COptionLabelPage", "水泵名称"), QT_TRANSLATE_NOOP("COptionLabelPage", "水泵扬程"),
    QT_TRANSLATE_NOOP("COptionLabelPage", "额定转速"), nullptr};
const char* const kValve[] = {QT_TRANSLATE_NOOP("COptionLabelPage", "无标注"),
                              QT_TRANSLATE_NOOP("COptionLabelPage", "阀门编号"), nullptr};
const char* const kTank[] = {
    QT_TRANSLATE_NOOP("COptionLabelPage", "无标注"), QT_TRANSLATE_NOOP("COptionLabelPage", "水池编号"),
    QT_TRANSLATE_NOOP("COptionLabelPage", "水池水位"), QT_TRANSLATE_NOOP("COptionLabelPage", "水池面积"), nullptr};
const char* const* const kKinds[] = {kNode, kPipe, kPump, kValve, kTank};
const char* const kTitles[] = {
    QT_TRANSLATE_NOOP("COptionLabelPage", "节点"), QT_TRANSLATE_NOOP("COptionLabelPage", "管道"),
    QT_TRANSLATE_NOOP("COptionLabelPage", "水泵"), QT_TRANSLATE_NOOP("COptionLabelPage", "阀门"),
    QT_TRANSLATE_NOOP("COptionLabelPage", "水池")};
}   // namespace

COptionLabelPage::COptionLabelPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent)
    : COptionPage(settings, draw, prompt, parent)
{
    setObjectName(QStringLiteral("labelPage"));
    auto* top = new QVBoxLayout(this);
    m_on = new QCheckBox(tr("打开图形标注"), this);
    m_on->setObjectName(QStringLiteral("labelOn"));
    top->addWidget(m_on);
    auto* grid = new QGridLayout;
    for (int k = 0; k < 5; ++k) {
        m_boxes[k] = new QGroupBox(tr(kTitles[k]), this);
        m_groups[k] = new QButtonGroup(this);
        auto* col = new QVBoxLayout(m_boxes[k]);
        for (int v = 0; kKinds[k][v]; ++v) {
            auto* r = new QRadioButton(tr(kKinds[k][v]), m_boxes[k]);
            r->setObjectName(QStringLiteral("label%1_%2").arg(k).arg(v));
            m_groups[k]->addButton(r, v);
            col->addWidget(r);
        }
        col->addStretch(1);
        grid->addWidget(m_boxes[k], k < 3 ? 0 : 1, k < 3 ? k : k - 3);
    }
    top->addLayout(grid, 1);
    auto* form = new QFormLayout;
    m_slanted = new QCheckBox(tr("倾斜标注文字"), this);
    m_slanted->setEnabled(false);   // labels always follow their pipe
    m_maxScale = new QLineEdit(this);
    m_maxScale->setObjectName(QStringLiteral("maxLabelScale"));
    m_maxScale->setPlaceholderText(tr("总是显示"));
    m_maxScale->setToolTip(tr("图上每像素代表的长度不大于此值时才显示标注; 空: 总是显示"));
    form->addRow(m_slanted);
    form->addRow(tr("最大标注比例:"), m_maxScale);
    top->addLayout(form);
    connect(m_on, &QCheckBox::toggled, this, &COptionLabelPage::UpdateEnabling);
    LoadPage();
}

int* COptionLabelPage::Value(int kind) const
{
    ZLabelTipSettings& lt = m_settings.LabelTip();
    int* const values[] = {&lt.NodeLabe, &lt.PipeLabel, &lt.PumpLabel, &lt.ValveLabel, &lt.TankLabel};
    return values[kind];
}

void COptionLabelPage::UpdateEnabling()
{
    for (QGroupBox* b : m_boxes)
        b->setEnabled(m_on->isChecked());
    m_maxScale->setEnabled(m_on->isChecked());
}

void COptionLabelPage::LoadPage()
{
    m_on->setChecked(m_settings.LabelOn);
    for (int k = 0; k < 5; ++k) {
        if (QAbstractButton* b = m_groups[k]->button(*Value(k)))
            b->setChecked(true);
    }
    const double s = m_settings.LabelTip().MaxLabelScale;
    m_maxScale->setText(s > 0.0 ? QString::number(s, 'g', 10) : QString());
    UpdateEnabling();
}

bool COptionLabelPage::CheckPage()
{
    const QString t = m_maxScale->text().trimmed();
    if (t.isEmpty())
        return true;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0.0)
        return Refuse(tr("请输入一个数。"), m_maxScale);
    return true;
}

void COptionLabelPage::ApplyPage()
{
    m_settings.LabelOn = m_on->isChecked();
    for (int k = 0; k < 5; ++k)
        if (m_groups[k]->checkedId() >= 0)
            *Value(k) = m_groups[k]->checkedId();
    const QString t = m_maxScale->text().trimmed();
    m_settings.LabelTip().MaxLabelScale = t.isEmpty() ? 0.0 : t.toDouble();
}
