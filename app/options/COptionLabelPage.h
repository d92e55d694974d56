#pragma once
#include "COptionPage.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;

// "标注": whether labels show, the one value each kind of object is labelled with, and the
// largest scale (world units per pixel) at which labels still show.
class COptionLabelPage : public COptionPage {
    Q_OBJECT
public:
    COptionLabelPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent = nullptr);

    QString Title() const override { return tr("标注"); }
    void LoadPage() override;
    bool CheckPage() override;
    void ApplyPage() override;

    QCheckBox* ShowLabels() const { return m_on; }
    // The radio group of a kind (0 node, 1 pipe, 2 pump, 3 valve, 4 tank); ids are the values.
    QButtonGroup* Group(int kind) const { return m_groups[kind]; }
    QGroupBox* GroupBox(int kind) const { return m_boxes[kind]; }
    QLineEdit* MaxScale() const { return m_maxScale; }

private:
    void UpdateEnabling();
    int* Value(int kind) const;

    QCheckBox* m_on;
    QCheckBox* m_slanted;
    QLineEdit* m_maxScale;
    QButtonGroup* m_groups[5];
    QGroupBox* m_boxes[5];
};
