#include "CViewpointDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

CViewpointDlg::CViewpointDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("viewpointDlg"));
    setWindowTitle(tr("观察点参数"));
    auto* group = new QGroupBox(tr("旋转角度"), this);
    auto* grid = new QGridLayout(group);
    const char* names[3] = {"X:", "Y:", "Z:"};
    for (int axis = 0; axis < 3; ++axis) {
        auto* field = new QSpinBox(group);
        field->setObjectName(QStringLiteral("angle%1").arg(1056 + axis));
        // Typing beyond the range is refused at the keyboard.
        field->setRange(-180, 180);
        field->setSuffix(QStringLiteral("°"));
        auto* slider = new QSlider(Qt::Horizontal, group);
        slider->setObjectName(QStringLiteral("slider%1").arg(1059 + axis));
        slider->setRange(0, 360);
        slider->setSingleStep(5);
        slider->setPageStep(10);
        slider->setMinimumWidth(220);
        slider->setValue(180);
        connect(slider, &QSlider::valueChanged, field, [field](int pos) { field->setValue(pos - 180); });
        connect(field, &QSpinBox::valueChanged, slider, [slider](int angle) { slider->setValue(angle + 180); });
        grid->addWidget(new QLabel(QString::fromLatin1(names[axis]), group), axis, 0);
        grid->addWidget(field, axis, 1);
        grid->addWidget(slider, axis, 2);
        m_fields[axis] = field;
        m_sliders[axis] = slider;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确认"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("放弃"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void CViewpointDlg::SetAngles(double x, double y, double z)
{
    const double a[3] = {x, y, z};
    for (int axis = 0; axis < 3; ++axis)
        m_fields[axis]->setValue(static_cast<int>(a[axis]));
}

int CViewpointDlg::AngleX() const
{
    return m_fields[0]->value();
}
int CViewpointDlg::AngleY() const
{
    return m_fields[1]->value();
}
int CViewpointDlg::AngleZ() const
{
    return m_fields[2]->value();
}
