#pragma once
#include "COptionPage.h"
#include "model/GbkString.h"

#include <string>
#include <vector>

class COptionLabelPreview;
class QCheckBox;
class QLineEdit;
class ZLabelTipSettings;

// "工程标注": the items and prefixes of the multi-line node labels and of the upper and lower
// pipe texts, their separator, and a sample of the result.
class COptionPrnLabPage : public COptionPage {
    Q_OBJECT
public:
    COptionPrnLabPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent = nullptr);

    QString Title() const override { return tr("工程标注"); }
    void LoadPage() override;
    void ApplyPage() override;

    // Item `i` of the node (kind 0) or pipe (kind 1) list, in the page's order.
    QCheckBox* ItemBox(int kind, int i) const;
    QLineEdit* PrefixEdit(int kind, int i) const;
    QLineEdit* Separator() const { return m_sep; }
    COptionLabelPreview* Preview() const { return m_preview; }

private:
    struct Item {
        int kind;   // 0 node, 1 pipe upper, 2 pipe lower
        int bit;
        GbkString ZLabelTipSettings::*prefix;
        QCheckBox* box;
        QLineEdit* edit;
    };
    void Collect(ZLabelTipSettings& out) const;
    void Changed();

    std::vector<Item> m_items;
    QLineEdit* m_sep;
    COptionLabelPreview* m_preview;
};
