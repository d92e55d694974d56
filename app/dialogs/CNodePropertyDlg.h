#pragma once
#include "CPropertyDlg.h"

class ZFlowNode;
class QPushButton;

// Dialog 148 "节点属性". For a node about to be created it starts cut off below "节点基本数据",
// and "详细" / "简略" shows or hides the rest.
class CNodePropertyDlg : public CPropertyDlg {
    Q_OBJECT
public:
    CNodePropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> nodes, const UnitSystem& units, UiPrompt& prompt,
                     QWidget* parent = nullptr);

    bool IsCollapsed() const { return m_collapsed; }
    void SetCollapsed(bool collapsed);

private:
    QWidget* m_details = nullptr;
    QPushButton* m_detailButton = nullptr;
    bool m_collapsed = false;
};
