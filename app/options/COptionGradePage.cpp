#include "COptionGradePage.h"
#include "app/dialogs/CColorCombo.h"

#include "model/ZDrawSettings.h"
#include "model/ZSettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
const char* const kNodeModes = QT_TRANSLATE_NOOP("COptionGradePage", "按标高\n按水压\n按自由水头\n按流量");
const char* const kPipeModes = QT_TRANSLATE_NOOP("COptionGradePage", "按流量\n按水损\n按流速\n按管径\n按坡度");
}   // namespace

COptionGradePage::COptionGradePage(Kind kind, ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt,
                                   QWidget* parent)
    : COptionPage(settings, draw, prompt, parent), m_kind(kind)
{
    setObjectName(kind == Nodes ? QStringLiteral("nodeGradePage") : QStringLiteral("pipeGradePage"));
    auto* top = new QVBoxLayout(this);
    m_on = new QCheckBox(tr("打开颜色分级"), this);
    m_on->setObjectName(QStringLiteral("gradeOn"));
    top->addWidget(m_on);
    m_quantity = new QComboBox(this);
    m_quantity->setObjectName(QStringLiteral("quantity"));
    m_quantity->addItems(tr(kind == Nodes ? kNodeModes : kPipeModes).split(QLatin1Char('\n')));
    top->addWidget(m_quantity);
    // Row i: the class's caption, its lower bound (the limit before, shown), its upper limit (edited),
    // the unit and the class colour. The first class has no lower bound, the last no upper limit.
    auto* grid = new QGridLayout;
    for (QLabel*& l : m_lower)
        l = new QLabel(this);
    for (int i = 0; i < Classes; ++i) {
        const QString caption = i == 0 ? tr("小于:") : i == Classes - 1 ? tr("大于:") : tr("介于:");
        grid->addWidget(new QLabel(caption, this), i, 0);
        if (i > 0) {
            m_lower[i - 1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(m_lower[i - 1], i, 1);
        }
        if (i > 0 && i < Classes - 1)
            grid->addWidget(new QLabel(QStringLiteral("—"), this), i, 2);
        if (i < Limits) {
            m_limits[i] = new QDoubleSpinBox(this);
            m_limits[i]->setObjectName(QStringLiteral("limit%1").arg(i));
            m_limits[i]->setRange(-1e9, 1e9);
            m_limits[i]->setDecimals(4);
            m_limits[i]->setAccelerated(true);
            grid->addWidget(m_limits[i], i, 3);
            QLabel* lower = m_lower[i];
            connect(m_limits[i], &QDoubleSpinBox::valueChanged, lower,
                    [lower](double v) { lower->setText(QString::number(v)); });
        }
        m_units[i] = new QLabel(this);
        grid->addWidget(m_units[i], i, 4);
        m_colors[i] = new CColorCombo(this);
        m_colors[i]->setObjectName(QStringLiteral("gradeColor%1").arg(i));
        grid->addWidget(m_colors[i], i, 5);
    }
    grid->setColumnStretch(5, 1);
    top->addLayout(grid);
    top->addStretch(1);
    connect(m_on, &QCheckBox::toggled, this, &COptionGradePage::UpdateEnabling);
    connect(m_quantity, &QComboBox::currentIndexChanged, this, [this](int mode) {
        KeepShown();
        ShowMode(mode);
    });
    LoadPage();
}

QString COptionGradePage::Title() const
{
    return m_kind == Nodes ? tr("节点颜色梯度") : tr("管道颜色梯度");
}

std::vector<double>& COptionGradePage::Table(int mode) const
{
    ZDrawSettings& d = m_draw;
    if (m_kind == Nodes) {
        switch (mode) {
        case ZDrawSettings::NodeByElevation:
            return d.NodeElevGrades;
        case ZDrawSettings::NodeByHead:
            return d.NodeHeadGrades;
        case ZDrawSettings::NodeByFreeHead:
            return d.NodeFreeHeadGrades;
        default:
            return d.NodeFlowGrades;
        }
    }
    switch (mode) {
    case ZDrawSettings::PipeByFlow:
        return d.PipeFlowGrades;
    case ZDrawSettings::PipeByHeadLoss:
        return d.PipeHLossGrades;
    case ZDrawSettings::PipeByVelocity:
        return d.PipeVeloGrades;
    case ZDrawSettings::PipeByDiameter:
        return d.PipeDiamGrades;
    default:
        return d.PipeSlopeGrades;
    }
}

const UnitCategory* COptionGradePage::Unit(int mode) const
{
    const UnitSystem& u = m_settings.Units();
    if (m_kind == Nodes)
        return mode == ZDrawSettings::NodeByDemand ? &u.FlowUnit() : nullptr;   // elevations and heads in metres
    switch (mode) {
    case ZDrawSettings::PipeByFlow:
        return &u.FlowUnit();
    case ZDrawSettings::PipeByHeadLoss:
        return &u.Hydr();
    case ZDrawSettings::PipeByVelocity:
        return &u.Velo();
    case ZDrawSettings::PipeByDiameter:
        return &u.Diam();
    default:
        return nullptr;   // a slope is a plain ratio
    }
}

void COptionGradePage::ShowMode(int mode)
{
    m_shownMode = mode;
    const std::vector<double>& t = m_tables[static_cast<size_t>(mode)];
    const UnitCategory* unit = Unit(mode);
    for (int i = 0; i < Limits; ++i) {
        const bool has = i < static_cast<int>(t.size());
        const QSignalBlocker b(m_limits[i]);
        m_limits[i]->setValue(has ? (unit ? unit->ToDisplay(t[size_t(i)]) : t[size_t(i)]) : 0.0);
        m_limits[i]->setEnabled(has && m_on->isChecked());
        m_limits[i]->setProperty("present", has);
        m_lower[i]->setText(has ? QString::number(m_limits[i]->value()) : QString());
    }
    const QString unitName = unit              ? QString::fromStdString(unit->UnitName())
                             : m_kind == Nodes ? QStringLiteral("m")
                                               : QString();
    for (QLabel* u : m_units)
        u->setText(unitName);
}

void COptionGradePage::KeepShown()
{
    if (m_shownMode < 0)
        return;
    std::vector<double>& t = m_tables[static_cast<size_t>(m_shownMode)];
    const UnitCategory* unit = Unit(m_shownMode);
    for (int i = 0; i < Limits && i < static_cast<int>(t.size()); ++i) {
        const double shown = unit ? unit->ToDisplay(t[size_t(i)]) : t[size_t(i)];
        // Untouched limits keep their exact stored value, not the rounded one shown.
        if (std::fabs(m_limits[i]->value() - shown) > 0.5 * std::pow(10.0, -m_limits[i]->decimals()))
            t[size_t(i)] = unit ? unit->FromDisplay(m_limits[i]->value()) : m_limits[i]->value();
    }
}

void COptionGradePage::UpdateEnabling()
{
    const bool on = m_on->isChecked();
    m_quantity->setEnabled(on);
    for (QComboBox* c : m_colors)
        c->setEnabled(on);
    for (QDoubleSpinBox* l : m_limits)
        l->setEnabled(on && l->property("present").toBool());
}

void COptionGradePage::LoadPage()
{
    const int modes = m_kind == Nodes ? 4 : 5;
    m_tables.clear();
    for (int m = 0; m < modes; ++m)
        m_tables.push_back(Table(m));
    const uint32_t on = m_kind == Nodes ? m_draw.NodeGradeOn : m_draw.PipeGradeOn;
    const int mode = m_kind == Nodes ? m_draw.NodeGradeMode : m_draw.PipeGradeMode;
    m_on->setChecked(on != 0);
    const std::vector<uint32_t>& colors =
        m_kind == Nodes ? m_settings.Colors().NodeGradeColors : m_settings.Colors().PipeGradeColors;
    for (int i = 0; i < Classes; ++i) {
        m_colors[i]->SetColorRef(i < static_cast<int>(colors.size()) ? colors[size_t(i)] : 0);
        m_colors[i]->setProperty("present", i < static_cast<int>(colors.size()));
    }
    m_shownMode = -1;
    {
        const QSignalBlocker b(m_quantity);
        m_quantity->setCurrentIndex(std::clamp(mode, 0, modes - 1));
    }
    ShowMode(m_quantity->currentIndex());
    UpdateEnabling();
}

bool COptionGradePage::CheckPage()
{
    double v[Limits];
    int n = 0;
    for (; n < Limits && m_limits[n]->property("present").toBool(); ++n)
        v[n] = m_limits[n]->value();
    auto text = [](double x) { return QString::number(x, 'g', 10); };
    for (int i = 0; i < n; ++i) {
        const bool first = i == 0, last = i == n - 1;
        if (first && !last && v[0] > v[1])
            return Refuse(tr("请键入小于%1的数!").arg(text(v[1])), m_limits[0]);
        if (!first && !last && (v[i] < v[i - 1] || v[i] > v[i + 1]))
            return Refuse(tr("请输入一个介于%1和%2之间的数。").arg(text(v[i - 1]), text(v[i + 1])), m_limits[i]);
        if (last && !first && v[i] < v[i - 1])
            return Refuse(tr("请键入大于%1的数!").arg(text(v[i - 1])), m_limits[i]);
    }
    return true;
}

void COptionGradePage::ApplyPage()
{
    KeepShown();
    const int mode = m_quantity->currentIndex();
    if (m_kind == Nodes) {
        m_draw.NodeGradeOn = m_on->isChecked() ? 1 : 0;
        m_draw.NodeGradeMode = mode;
    } else {
        m_draw.PipeGradeOn = m_on->isChecked() ? 1 : 0;
        m_draw.PipeGradeMode = mode;
    }
    for (size_t m = 0; m < m_tables.size(); ++m)
        Table(static_cast<int>(m)) = m_tables[m];
    std::vector<uint32_t>& colors =
        m_kind == Nodes ? m_settings.Colors().NodeGradeColors : m_settings.Colors().PipeGradeColors;
    for (int i = 0; i < Classes && i < static_cast<int>(colors.size()); ++i)
        colors[size_t(i)] = m_colors[i]->ColorRef();
}
