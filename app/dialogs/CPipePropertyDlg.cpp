#include "CPipePropertyDlg.h"
#include "PipePropertyForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CPipePropertyDlg::CPipePropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> pipes, const UnitSystem& units,
                                   UiPrompt& prompt, QWidget* parent)
    : CPropertyDlg(std::make_unique<PipePropertyForm>(mode, std::move(pipes), units), prompt,
                   tr("模板管道属性\n管道属性"), parent)
{
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);

    QFormLayout* ends = nullptr;
    QGroupBox* endsBox = Group(tr("管道连接"), ends);
    AddIdRow(ends);
    AddFieldRows(ends, 0);

    QFormLayout* data = nullptr;
    QGroupBox* dataBox = Group(tr("管道参数"), data);
    m_autoLength = new QPushButton(tr("自动计算管长"));
    m_autoLength->setObjectName(QStringLiteral("autoLengthButton"));
    SetRowExtra("PipeLength", m_autoLength);
    AddFieldRows(data, 1);
    QLineEdit* diam = Edit("PipeDiam");
    QLineEdit* inner = Edit("PipeInDiam");
    m_length = Edit("PipeLength");
    auto* innerNote = new QLabel(tr("平差按计算内径计算; 两者相同时计算内径随标准管径改变"));
    innerNote->setObjectName(QStringLiteral("inDiamNote"));
    innerNote->setWordWrap(true);
    QFont small = innerNote->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    innerNote->setFont(small);
    data->insertRow(RowOf(data, inner) + 1, QString(), innerNote);
    inner->setToolTip(innerNote->text());

    QFormLayout* results = nullptr;
    QGroupBox* resultBox = Group(tr("计算结果"), results);
    AddFieldRows(results, 2);

    auto* grid = new QGridLayout;
    grid->addWidget(endsBox, 0, 0);
    grid->addWidget(dataBox, 1, 0);
    auto* right = new QVBoxLayout;
    right->addWidget(resultBox);
    right->addStretch();
    grid->addLayout(right, 0, 1, 2, 1);
    top->addLayout(grid);

    auto* noteRow = new QFormLayout;
    AddFieldRows(noteRow, 3);
    auto* note = new QLineEdit;
    note->setObjectName(QStringLiteral("Description"));
    noteRow->addRow(tr("描述文字:"), note);
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
    m_length->setToolTip(automatic ? tr("管长按图形自动计算") : QString());
    m_autoLength->setEnabled(mode != PipePropertyForm::LengthAutomatic);
}

void CPipePropertyDlg::ShowForm()
{
    CPropertyDlg::ShowForm();
    ShowLengthMode();
}

void CPipePropertyDlg::ReadForm()
{
    const QString length = PipeForm().FindNumber("PipeLength")->text;
    CPropertyDlg::ReadForm();
    // The length text belongs to the form's length mode, set as the user types or presses.
    PipeForm().FindNumber("PipeLength")->text = length;
}
