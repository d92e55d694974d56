#pragma once
#include <QCoreApplication>
#include "model/ZBalanceParams.h"
#include "model/ZEdit.h"

// The network's calculation options changed in the balancing dialog: check valves against reverse
// flow and the demand model with its pressures. Only these fields go back on undo; the case,
// precision and accident factor the dialog also sets are the run's, not the network's.
class CCalcOptionsEdit : public ZEdit {
    Q_DECLARE_TR_FUNCTIONS(CCalcOptionsEdit)

public:
    CCalcOptionsEdit(ZBalanceParams& target, const ZBalanceParams& chosen);

    // Whether the options of `a` and `b` differ.
    static bool Differ(const ZBalanceParams& a, const ZBalanceParams& b);

    size_t MemoryUsage() const override { return sizeof(*this); }
    ZNetMsg Hint(bool applied) const override;

protected:
    void DoApply(ZDocument&) override { Swap(); }
    void DoRevert(ZDocument&) override { Swap(); }

private:
    void Swap();

    ZBalanceParams& m_target;
    ZBalanceParams m_other;   // the options not in effect
};
