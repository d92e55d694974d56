#pragma once
#include "COptionPage.h"

class COptionColorSizePreview;
class CColorCombo;
class QComboBox;
class QLineEdit;
class QSlider;

// "颜色和尺寸": background, contour, node and pipe colours, node size and line width.
class COptionColorSizePage : public COptionPage {
    Q_OBJECT
public:
    enum Chooser { Background, Contour, NodeFill, NodePen, PipePen, ChooserCount };

    COptionColorSizePage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent = nullptr);

    QString Title() const override { return tr("颜色和尺寸"); }
    void LoadPage() override;
    bool CheckPage() override;
    void ApplyPage() override;

    CColorCombo* ColorBox(Chooser c) const { return m_colors[c]; }
    QLineEdit* NodeSizeEdit() const { return m_nodeSize; }
    QLineEdit* LineWidthEdit() const { return m_lineWidth; }
    QSlider* NodeSizeSlider() const { return m_nodeSlider; }
    QSlider* LineWidthSlider() const { return m_lineSlider; }
    COptionColorSizePreview* Preview() const { return m_preview; }

private:
    void UpdatePreview();
    // The edit's whole number within [lo, hi], or refuses it with the range message.
    bool ReadRange(QLineEdit* edit, int lo, int hi, int& value);

    CColorCombo* m_colors[ChooserCount];
    QLineEdit* m_nodeSize;
    QLineEdit* m_lineWidth;
    QSlider* m_nodeSlider;
    QSlider* m_lineSlider;
    COptionColorSizePreview* m_preview;
};
