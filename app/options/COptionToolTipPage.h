#pragma once
#include "COptionPage.h"

#include <vector>

class QCheckBox;

// "提示": whether tooltips show and which values each kind of object lists in its tooltip.
class COptionToolTipPage : public COptionPage {
    Q_OBJECT
public:
    COptionToolTipPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent = nullptr);

    QString Title() const override { return tr("提示"); }
    void LoadPage() override;
    void ApplyPage() override;

    QCheckBox* ShowTips() const { return m_on; }
    // The box of one bit of one kind (0 node, 1 pipe, 2 pump, 3 valve, 4 tank), or null.
    QCheckBox* ItemBox(int kind, int bit) const;

private:
    struct Item {
        int kind;
        int bit;
        QCheckBox* box;
    };
    void UpdateEnabling();
    int* Mask(int kind) const;

    QCheckBox* m_on;
    std::vector<Item> m_items;
};
