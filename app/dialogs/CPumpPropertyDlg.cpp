#include "CPumpPropertyDlg.h"
#include "CCurvePointsTable.h"
#include "PumpPropertyForm.h"

#include "model/ZPumpLink.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CPumpPropertyDlg::CPumpPropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> pumps, const UnitSystem& units,
                                   UiPrompt& prompt, QWidget* parent)
    : CPropertyDlg(std::make_unique<PumpPropertyForm>(mode, std::move(pumps), units), prompt,
                   tr("模板水泵属性\n水泵属性"), parent)
{
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);

    QFormLayout* basic = nullptr;
    top->addWidget(Group(tr("水泵"), basic));
    AddIdRow(basic);
    AddNoteRow(basic, tr("水泵名称:"), "PumpName");
    AddFieldRows(basic, 0);
    AddReverseRow(basic);

    QFormLayout* data = nullptr;
    top->addWidget(Group(tr("水泵参数"), data));
    AddFieldRows(data, 1);

    top->addWidget(Group(tr("水泵特性曲线"), m_curve));
    AddFieldRows(m_curve, 2);
    const CurvePoints& points = PumpForm().Points;
    m_points = new CCurvePointsTable(tr("流量 (%1)").arg(points.FlowUnit()), tr("扬程 (%1)").arg(points.HeadUnit()));
    m_points->setObjectName(QStringLiteral("PumpCurve"));
    m_curve->addRow(tr("曲线上的点:"), m_points);
    connect(Combo("PumpCurveKind"), &QComboBox::currentIndexChanged, this, &CPumpPropertyDlg::KindChosen);

    auto* notes = new QFormLayout;
    auto* note = new QLineEdit;
    note->setObjectName(QStringLiteral("Description"));
    notes->addRow(tr("描述文字:"), note);
    top->addLayout(notes);
    top->addWidget(Buttons());
    ShowForm();
}

PumpPropertyForm& CPumpPropertyDlg::PumpForm()
{
    return static_cast<PumpPropertyForm&>(Form());
}

void CPumpPropertyDlg::KindChosen(int kind)
{
    if (m_showing)
        return;
    ReadForm();
    PumpForm().SetCurveKind(kind);
    ShowForm();
}

void CPumpPropertyDlg::ShowForm()
{
    m_showing = true;
    CPropertyDlg::ShowForm();
    m_showing = false;
    if (!m_points)
        return;
    PumpPropertyForm& form = PumpForm();
    m_points->SetRows(form.Points.Rows);
    // Only what the kind uses shows: the law's pump has its kind alone, as the described dialog.
    const int kind = form.CurveKind();
    ShowRow(m_curve, m_points, kind < 0 || PumpPropertyForm::UsesPoints(kind));
    ShowRow(m_curve, Edit("PumpSpeed"), kind != ZPumpLink::QuadraticLaw);
    ShowRow(m_curve, Edit("PumpPower"), kind < 0 || kind == ZPumpLink::ConstantPower);
    // Rows shown or hidden and captions changed take their sizes now, not at the next event.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void CPumpPropertyDlg::ReadForm()
{
    CPropertyDlg::ReadForm();
    if (m_points)
        PumpForm().Points.Rows = m_points->Rows();
}
