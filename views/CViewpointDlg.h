#pragma once
#include <QDialog>

class QSlider;
class QSpinBox;

// "观察点参数": the three rotation angles of the three-dimensional view, each typed (-180 to 180)
// or set with its slider (0 to 360, the angle + 180).
class CViewpointDlg : public QDialog {
    Q_OBJECT
public:
    explicit CViewpointDlg(QWidget* parent = nullptr);

    // Angles in degrees, truncated to whole degrees.
    void SetAngles(double x, double y, double z);
    int AngleX() const;
    int AngleY() const;
    int AngleZ() const;

    QSpinBox* Field(int axis) const { return m_fields[axis]; }
    QSlider* Slider(int axis) const { return m_sliders[axis]; }

private:
    QSpinBox* m_fields[3];
    QSlider* m_sliders[3];
};
