#pragma once
#include "hydraulics/ZNetCost.h"

#include <QDialog>

class KeyValueStore;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class UiPrompt;

// Dialog 191 "管道造价计算": the coefficients a and b, the exponent, the electricity price, whether
// every pipe counts or only those laid from a start date. The values last used live in the
// profile section "NetCostDlg".
class CNetCostDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* Section = "NetCostDlg";

    CNetCostDlg(UiPrompt& prompt, QWidget* parent = nullptr);

    // The document's a, b and price, then the profile's values over them.
    void Load(const ZNetCost::Params& fromDocument, const KeyValueStore& profile);
    void Save(KeyValueStore& profile) const;
    const ZNetCost::Params& Params() const { return m_params; }

    void accept() override;

    QLineEdit* Edit(int k) const { return m_edits[k]; }   // a, b, exponent, price
    QCheckBox* WholeNetworkBox() const { return m_whole; }
    QDateEdit* DateEdit() const { return m_date; }

private:
    void Show();

    UiPrompt& m_prompt;
    ZNetCost::Params m_params;
    QLineEdit* m_edits[4];
    QCheckBox* m_whole;
    QDateEdit* m_date;
};
