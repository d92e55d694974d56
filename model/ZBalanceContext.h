#pragma once

// What the element hydraulics need from a balancing run: the calculation case, the accident factor
// and whether check valves shut against reverse flow.
// The solver's ZBalanceInfo is one; tests and the labels can make their own.
class ZBalanceContext {
public:
    enum Case { PeakHour = 0, Fire = 1, Accident = 2 };

    ZBalanceContext() = default;
    ZBalanceContext(int calcCase, double accidentFactor) : m_case(calcCase), m_accidentFactor(accidentFactor) {}
    virtual ~ZBalanceContext() = default;

    int CalcCase() const { return m_case; }
    double AccidentFactor() const { return m_accidentFactor; }
    bool CheckValvesClose() const { return m_checkValvesClose; }
    void SetCheckValvesClose(bool on) { m_checkValvesClose = on; }

protected:
    int m_case = PeakHour;
    double m_accidentFactor = 0.75;
    bool m_checkValvesClose = false;
};
