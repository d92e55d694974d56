#include "CSizingDlg.h"

#include "CSizingChart.h"
#include "views/UiPrompt.h"

#include "model/KeyValueStore.h"
#include "model/NumberFormat.h"
#include "model/ProgressObserver.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {
// A finite number typed as the whole text, read the same under every locale.
bool ReadNumber(const QString& text, double& v)
{
    const std::string s = text.trimmed().toStdString();
    return !s.empty() && NumberFormat::ReadLeading(s, v) == s.size() && std::isfinite(v);
}

QString Text(double v)
{
    return QString::fromStdString(NumberFormat::G(v));
}

class StopFlag : public ProgressObserver {
public:
    explicit StopFlag(const std::atomic<bool>& flag) : m_flag(flag) {}
    void Progress(double) override {}
    bool StopRequested() const override { return m_flag; }

private:
    const std::atomic<bool>& m_flag;
};

// Ductile iron mains, cost per metre laid: a starting table the engineer edits.
const std::vector<ZSizingProblem::Candidate> kDefaultRows = {{0.1, 180},  {0.15, 250}, {0.2, 330},  {0.25, 420},
                                                             {0.3, 520},  {0.4, 750},  {0.5, 1000}, {0.6, 1300},
                                                             {0.8, 2000}, {1.0, 2800}};
}   // namespace

CSizingDlg::CSizingDlg(const ZNetwork& network, const ZDrawSettings& settings, std::vector<int> selectedPipes,
                       double costLawA, double costLawB, UiPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_network(network), m_settings(settings), m_selected(std::move(selectedPipes)),
      m_costLawA(costLawA), m_costLawB(costLawB), m_prompt(prompt)
{
    setWindowTitle(tr("管径优化"));
    setObjectName(QStringLiteral("sizingDlg"));

    auto* candidates = new QGroupBox(tr("候选管径"));
    auto* cl = new QVBoxLayout(candidates);
    m_table = new QTableWidget(0, 2);
    m_table->setHorizontalHeaderLabels({tr("管径 (mm)"), tr("单价 (元/m)")});
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->verticalHeader()->setVisible(false);
    cl->addWidget(m_table);
    auto* rowButtons = new QHBoxLayout;
    auto* add = new QPushButton(tr("添加"));
    auto* remove = new QPushButton(tr("删除"));
    auto* defaults = new QPushButton(tr("默认"));
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addWidget(defaults);
    rowButtons->addStretch();
    cl->addLayout(rowButtons);
    m_costLaw = new QCheckBox(tr("单价按造价公式 a + b·D 计算"));
    cl->addWidget(m_costLaw);
    connect(add, &QPushButton::clicked, this, [this] {
        const int r = m_table->rowCount();
        m_table->insertRow(r);
        m_table->setItem(r, 0, new QTableWidgetItem);
        m_table->setItem(r, 1, new QTableWidgetItem);
        m_table->setCurrentCell(r, 0);
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_table->currentRow() >= 0)
            m_table->removeRow(m_table->currentRow());
    });
    connect(defaults, &QPushButton::clicked, this, [this] { SetRows(kDefaultRows); });
    connect(m_costLaw, &QCheckBox::toggled, this, [this](bool on) { m_table->setColumnHidden(1, on); });

    auto* limits = new QGroupBox(tr("约束"));
    auto* lf = new QFormLayout(limits);
    m_minFreeHead = new QLineEdit(QStringLiteral("10"));
    m_maxVelocity = new QLineEdit(QStringLiteral("0"));
    m_timeLimit = new QLineEdit(QStringLiteral("60"));
    m_seed = new QLineEdit(QStringLiteral("1"));
    lf->addRow(tr("最小服务水头 (m)："), m_minFreeHead);
    lf->addRow(tr("最大流速 (m/s, 0 不限)："), m_maxVelocity);
    m_fire = new QCheckBox(tr("消防工况"));
    m_accident = new QCheckBox(tr("事故工况"));
    auto* cases = new QHBoxLayout;
    cases->addWidget(new QLabel(tr("最高日最高时")));
    cases->addWidget(m_fire);
    cases->addWidget(m_accident);
    lf->addRow(tr("校核工况："), cases);
    m_lock = new QCheckBox(tr("锁定所选管道 (%1 根)").arg(m_selected.size()));
    m_lock->setChecked(!m_selected.empty());
    m_lock->setEnabled(!m_selected.empty());
    lf->addRow(m_lock);
    lf->addRow(tr("计算时间 (秒)："), m_timeLimit);
    lf->addRow(tr("随机种子："), m_seed);

    m_chart = new CSizingChart;
    m_status = new QLabel(tr("尚未计算"));
    m_status->setObjectName(QStringLiteral("sizingStatus"));
    m_start = new QPushButton(tr("开始"));
    m_stop = new QPushButton(tr("停止"));
    m_apply = new QPushButton(tr("应用"));
    auto* close = new QPushButton(tr("关闭"));
    m_stop->setEnabled(false);
    m_apply->setEnabled(false);
    connect(m_start, &QPushButton::clicked, this, &CSizingDlg::Start);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_stopRequest = true; });
    connect(m_apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &CSizingDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {m_start, m_stop, m_apply, close})
        buttons->addWidget(b);

    auto* left = new QVBoxLayout;
    left->addWidget(candidates);
    left->addWidget(limits);
    auto* right = new QVBoxLayout;
    right->addWidget(m_chart, 1);
    right->addWidget(m_status);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addLayout(buttons);
    SetRows(kDefaultRows);
}

CSizingDlg::~CSizingDlg()
{
    m_stopRequest = true;
    if (m_worker.joinable())
        m_worker.join();
}

void CSizingDlg::SetRows(const std::vector<ZSizingProblem::Candidate>& rows)
{
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        m_table->setItem(r, 0, new QTableWidgetItem(Text(rows[static_cast<size_t>(r)].diameter * 1000.0)));
        m_table->setItem(r, 1, new QTableWidgetItem(Text(rows[static_cast<size_t>(r)].unitCost)));
    }
}

void CSizingDlg::Load(const KeyValueStore& profile)
{
    // "100:180;150:250": diameter in mm and cost per metre; a damaged entry keeps the defaults.
    const std::string stored = profile.GetString(Section, "Candidates", "");
    std::vector<ZSizingProblem::Candidate> rows;
    const QStringList items = QString::fromStdString(stored).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& item : items) {
        const QStringList parts = item.split(QLatin1Char(':'));
        double d = 0.0, c = 0.0;
        if (parts.size() != 2 || !ReadNumber(parts[0], d) || !ReadNumber(parts[1], c)) {
            rows.clear();
            break;
        }
        rows.push_back({d / 1000.0, c});
    }
    if (!rows.empty())
        SetRows(rows);
    auto read = [&](const char* key, QLineEdit* edit) {
        const double v = profile.GetDouble(Section, key, NAN);
        if (std::isfinite(v))
            edit->setText(Text(v));
    };
    read("MinFreeHead", m_minFreeHead);
    read("MaxVelocity", m_maxVelocity);
    read("TimeLimit", m_timeLimit);
    m_costLaw->setChecked(profile.GetInt(Section, "CostLaw", 0) != 0);
    m_fire->setChecked(profile.GetInt(Section, "Fire", 0) != 0);
    m_accident->setChecked(profile.GetInt(Section, "Accident", 0) != 0);
}

void CSizingDlg::Save(KeyValueStore& profile) const
{
    std::string rows;
    for (int r = 0; r < m_table->rowCount(); ++r) {
        double d = 0.0, c = 0.0;
        if (m_table->item(r, 0) && m_table->item(r, 1) && ReadNumber(m_table->item(r, 0)->text(), d) &&
            ReadNumber(m_table->item(r, 1)->text(), c))
            rows += NumberFormat::G(d) + ":" + NumberFormat::G(c) + ";";
    }
    profile.WriteString(Section, "Candidates", rows);
    double v = 0.0;
    if (ReadNumber(m_minFreeHead->text(), v))
        profile.SetDouble(Section, "MinFreeHead", v);
    if (ReadNumber(m_maxVelocity->text(), v))
        profile.SetDouble(Section, "MaxVelocity", v);
    if (ReadNumber(m_timeLimit->text(), v))
        profile.SetDouble(Section, "TimeLimit", v);
    profile.WriteInt(Section, "CostLaw", m_costLaw->isChecked() ? 1 : 0);
    profile.WriteInt(Section, "Fire", m_fire->isChecked() ? 1 : 0);
    profile.WriteInt(Section, "Accident", m_accident->isChecked() ? 1 : 0);
}

bool CSizingDlg::ReadProblem()
{
    ZSizingProblem p;
    for (int r = 0; r < m_table->rowCount(); ++r) {
        double d = 0.0, c = 0.0;
        const bool costOk =
            m_costLaw->isChecked() || (m_table->item(r, 1) && ReadNumber(m_table->item(r, 1)->text(), c));
        if (!m_table->item(r, 0) || !ReadNumber(m_table->item(r, 0)->text(), d) || !costOk) {
            m_prompt.Warn(tr("候选管径第 %1 行不是数字。").arg(r + 1).toStdString());
            return false;
        }
        p.candidates.push_back({d / 1000.0, m_costLaw->isChecked() ? m_costLawA + m_costLawB * d / 1000.0 : c});
    }
    if (!ReadNumber(m_minFreeHead->text(), p.minFreeHead) || std::fabs(p.minFreeHead) > 1e4) {
        m_prompt.Warn(tr("最小服务水头应是介于-1e4和1e4之间的数。").toStdString());
        return false;
    }
    if (!ReadNumber(m_maxVelocity->text(), p.maxVelocity) || p.maxVelocity < 0.0 || p.maxVelocity > 100.0) {
        m_prompt.Warn(tr("最大流速应是介于0和100之间的数。").toStdString());
        return false;
    }
    if (!ReadNumber(m_timeLimit->text(), p.timeLimit) || !(p.timeLimit > 0.0) || p.timeLimit > 1e6) {
        m_prompt.Warn(tr("计算时间应是介于0和1e6之间的正数。").toStdString());
        return false;
    }
    double seed = 0.0;
    if (!ReadNumber(m_seed->text(), seed) || seed < 0.0 || seed > 2147483647.0 || seed != std::floor(seed)) {
        m_prompt.Warn(tr("随机种子应是非负整数。").toStdString());
        return false;
    }
    p.seed = static_cast<uint64_t>(seed);
    p.cases = {0};
    if (m_fire->isChecked())
        p.cases.push_back(1);
    if (m_accident->isChecked())
        p.cases.push_back(2);
    if (m_lock->isChecked())
        p.locked = m_selected;
    p.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::string warning;
    const std::string error = p.Check(&warning);
    if (!error.empty()) {
        m_prompt.Warn(error);
        return false;
    }
    if (!warning.empty())
        m_prompt.Warn(warning);
    m_problem = std::move(p);
    return true;
}

void CSizingDlg::Start()
{
    if (Running() || !ReadProblem())
        return;
    m_hasResult = false;
    m_stopRequest = false;
    m_chart->Clear();
    m_start->setEnabled(false);
    m_apply->setEnabled(false);
    m_stop->setEnabled(true);
    m_status->setText(tr("正在计算..."));
    m_worker = std::thread([this] {
        ZPipeSizing sizing(m_network, m_settings, m_problem);
        sizing.SetListener([this](const ZPipeSizing::Point& p) {
            QMetaObject::invokeMethod(
                this, [this, p] { AddPoint(p); }, Qt::QueuedConnection);
        });
        StopFlag stop(m_stopRequest);
        m_result = sizing.Run(&stop);
        QMetaObject::invokeMethod(
            this, [this] { Finished(); }, Qt::QueuedConnection);
    });
}

void CSizingDlg::AddPoint(const ZPipeSizing::Point& p)
{
    m_chart->Add(p.seconds, p.cost, p.feasible);
    m_status->setText(tr("最低造价 %1%2, %3 次平差")
                          .arg(QString::fromStdString(NumberFormat::Fixed(p.cost, 0)))
                          .arg(p.feasible ? QString() : tr(" (不满足)"))
                          .arg(p.evaluations));
}

void CSizingDlg::Finished()
{
    if (m_worker.joinable())
        m_worker.join();
    m_hasResult = true;
    m_chart->SetEnd(m_result.seconds);
    m_start->setEnabled(true);
    m_stop->setEnabled(false);
    m_apply->setEnabled(true);
    m_status->setText(tr("造价 %1, %2; %3 次平差, %4 秒")
                          .arg(QString::fromStdString(NumberFormat::Fixed(m_result.cost, 0)))
                          .arg(m_result.feasible ? tr("满足约束") : tr("不满足最小服务水头"))
                          .arg(m_result.evaluations)
                          .arg(QString::fromStdString(NumberFormat::Fixed(m_result.seconds, 1))));
}

void CSizingDlg::reject()
{
    m_stopRequest = true;
    if (m_worker.joinable())
        m_worker.join();
    QDialog::reject();
}
