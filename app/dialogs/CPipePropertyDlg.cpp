#include "CPipePropertyDlg.h"
#include "PipePropertyForm.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

namespace {
const QDate kEpoch(1970, 1, 1);
// The day before the first date stands for "the pipes differ": it shows as a blank field.
const QDate kNoDate = kEpoch.addDays(-1);
}   // namespace

CPipePropertyDlg::CPipePropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> pipes, const UnitSystem& units,
                                   UiPrompt& prompt, QWidget* parent)
    : CPropertyDlg(std::make_unique<PipePropertyForm>(mode, std::move(pipes), units), prompt,
                   QStringLiteral("模板管道属性\n管道属性"), parent)
{
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);

    QFormLayout* ends = nullptr;
    QGroupBox* endsBox = Group(QStringLiteral("管道连接"), ends);
    AddIdRow(ends, QStringLiteral("管道编号:"));
    AddShownRow(ends, QStringLiteral("起端节点:"), "StartNode");
    AddShownRow(ends, QStringLiteral("终端节点:"), "EndNode");

    QFormLayout* data = nullptr;
    QGroupBox* dataBox = Group(QStringLiteral("管道参数"), data);
    QLineEdit* diam = AddNumberRow(data, QStringLiteral("标准管径:"), "PipeDiam");
    QLineEdit* inner = AddNumberRow(data, QStringLiteral("计算内径:"), "PipeInDiam");
    auto* innerNote = new QLabel(QStringLiteral("平差按计算内径计算; 两者相同时计算内径随标准管径改变"));
    innerNote->setObjectName(QStringLiteral("inDiamNote"));
    innerNote->setWordWrap(true);
    QFont small = innerNote->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    innerNote->setFont(small);
    data->addRow(QString(), innerNote);
    inner->setToolTip(innerNote->text());
    AddNumberRow(data, QStringLiteral("系数:"), "PipeRougCeof");
    m_autoLength = new QPushButton(QStringLiteral("自动计算管长"));
    m_autoLength->setObjectName(QStringLiteral("autoLengthButton"));
    m_length = AddNumberRow(data, QStringLiteral("管道长度:"), "PipeLength", {}, m_autoLength);
    AddNumberRow(data, QStringLiteral("并行管数:"), "PipeParallel");
    AddChoiceRow(data, QStringLiteral("管道类型:"), "PipeType", QStringLiteral("海增-威联管\n满宁管"));
    AddChoiceRow(data, QStringLiteral("供水方式:"), "PipeSideType", QStringLiteral("无供水\n单侧供水\n双侧供水"));
    m_date = new QDateEdit;
    m_date->setObjectName(QStringLiteral("PipeDate"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setDateRange(kNoDate, kEpoch.addDays(49710));   // 32-bit unsigned seconds
    m_date->setSpecialValueText(QStringLiteral(" "));
    m_date->setFixedWidth(130);
    data->addRow(QStringLiteral("敷设日期:"), m_date);

    QFormLayout* results = nullptr;
    QGroupBox* resultBox = Group(QStringLiteral("计算结果"), results);
    AddNumberRow(results, QStringLiteral("管道流量:"), "Flow");
    AddNumberRow(results, QStringLiteral("管道压降:"), "HeadLoss");
    AddNumberRow(results, QStringLiteral("管道流速:"), "Velocity");
    AddNumberRow(results, QStringLiteral("水力坡度:"), "Slope");

    auto* grid = new QGridLayout;
    grid->addWidget(endsBox, 0, 0);
    grid->addWidget(dataBox, 1, 0);
    auto* right = new QVBoxLayout;
    right->addWidget(resultBox);
    right->addStretch();
    grid->addLayout(right, 0, 1, 2, 1);
    top->addLayout(grid);

    top->addWidget(AddFlag(QStringLiteral("进行事故工况校验时设定为事故管"), "IsAccidentPipe"));
    auto* noteRow = new QFormLayout;
    auto* note = new QLineEdit;
    note->setObjectName(QStringLiteral("Description"));
    noteRow->addRow(QStringLiteral("描述文字:"), note);
    top->addLayout(noteRow);
    top->addWidget(Buttons());

    // Where every pipe's inner diameter is its standard one, the inner field follows until typed in.
    connect(inner, &QLineEdit::textEdited, this, [this]() { m_innerTyped = true; });
    connect(diam, &QLineEdit::textEdited, this, [this, inner](const QString& text) {
        if (!m_innerTyped && PipeForm().InnerFollowsAll())
            inner->setText(text);
    });
    connect(m_length, &QLineEdit::textEdited, this, [this](const QString& text) {
        PipeForm().SetLengthManual(text);
        ShowLengthMode();
    });
    connect(m_autoLength, &QPushButton::clicked, this, [this]() {
        PipeForm().SetLengthAutomatic();
        m_length->setText(PipeForm().FindNumber("PipeLength")->text);
        ShowLengthMode();
    });
    ShowForm();
}

PipePropertyForm& CPipePropertyDlg::PipeForm()
{
    return static_cast<PipePropertyForm&>(Form());
}

void CPipePropertyDlg::ShowLengthMode()
{
    const auto mode = PipeForm().GetLengthMode();
    const bool automatic = mode == PipePropertyForm::LengthAutomatic ||
                           (mode == PipePropertyForm::LengthUntouched && PipeForm().AllAutoLength());
    QFont f = font();
    f.setItalic(automatic);
    m_length->setFont(f);
    m_length->setToolTip(automatic ? QStringLiteral("管长按图形自动计算") : QString());
    m_autoLength->setEnabled(mode != PipePropertyForm::LengthAutomatic);
}

void CPipePropertyDlg::ShowForm()
{
    CPropertyDlg::ShowForm();
    const int day = Form().FindChoice("PipeDate")->index;
    m_date->setDate(day < 0 ? kNoDate : kEpoch.addDays(day));
    ShowLengthMode();
}

void CPipePropertyDlg::ReadForm()
{
    const QString length = PipeForm().FindNumber("PipeLength")->text;
    CPropertyDlg::ReadForm();
    // The length text belongs to the form's length mode, set as the user types or presses.
    PipeForm().FindNumber("PipeLength")->text = length;
    Form().FindChoice("PipeDate")->index = m_date->date() == kNoDate ? -1 : int(kEpoch.daysTo(m_date->date()));
}
