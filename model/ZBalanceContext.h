#pragma once

// What the element hydraulics need from a balancing run: the calculation case and the accident factor.
// The solver's ZBalanceInfo is one; tests and the labels can make their own.
class ZBalanceContext {
public:
    enum Case { PeakHour = 0, Fire = 1, Accident = 2 };

    ZBalanceContext() = default;
    ZBalanceContext(int calcCase, double accidentFactor) : m_case(calcCase), m_accidentFactor(accidentFactor) {}
    virtual ~ZBalanceContext() = default;

    int CalcCase() const { return m_case; }
    double AccidentFactor() const { return m_accidentFactor; }

protected:
    int m_case = PeakHour;
    double m_accidentFactor = 0.75;
};
