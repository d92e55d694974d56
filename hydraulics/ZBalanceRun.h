#pragma once
#include "ZBalanceInfo.h"
#include "ZConnectivityCheck.h"
#include "model/GbkString.h"

#include <string>
#include <vector>

class ZDocument;
class ZDrawSettings;
class ZNetwork;

// The balancing command without its windows: connectivity check, the parameters the user
// chooses, the run itself and what the document keeps of its outcome. The caller shows the
// dialogs, the progress and the messages.
class ZBalanceRun {
public:
    struct Params {
        int CalcCase = 0;               // 0 peak hour, 1 fire, 2 accident
        double AccidentFactor = 0.75;   // 0..1
        int Precision = 3;              // head tolerance 10^-Precision, 0..6
    };
    static constexpr int MaxPrecision = 6;

    ZBalanceRun(ZDrawSettings& calcData, ZNetwork& network);
    explicit ZBalanceRun(ZDocument& document);

    // Step 1. False when the network falls apart; the report texts then say where.
    bool CheckConnectivity();
    const ZConnectivityCheck& Connectivity() const { return m_connectivity; }

    // The dialog's initial values, from the document.
    Params CurrentParams() const;
    // Stores case, head tolerance and accident factor in the document. False (nothing changed)
    // for a case outside 0..2, a factor outside 0..1 or a precision outside 0..6.
    bool ApplyParams(const Params& params);

    // Whether Run starts from the heads the network holds (a solution of a nearby network, as after
    // an edit) instead of the solver's first guess.
    void StartFromPresentHeads(bool on) { m_warm = on; }
    // Runs the solver; the observer is optional. Sets the document's balanced flag and tells the
    // document (when built on one) which results are current.
    int Run(ProgressObserver* progress = nullptr);
    int Status() const { return m_status; }
    int Iterations() const { return m_iterations; }
    double MaxCorrection() const { return m_maxCorrection; }
    const ZBalanceInfo::Timings& Timings() const { return m_timings; }
    // Converged: contours and every view must refresh. The document is modified for every status.
    bool ResultsChanged() const { return m_status == ZBalanceInfo::Converged; }
    // The message box text for the status (UTF-8), empty when there is nothing to tell.
    std::string Message() const;
    // After a converged run: check valves that carry flow against their direction (the calculation
    // lets them pass both ways), GBK identifiers with their flows in m3/s.
    struct ValveFlow {
        GbkString id;
        double flow;
    };
    const std::vector<ValveFlow>& CheckValvesAgainstFlow() const { return m_reverseCheckValves; }
    // After a converged run: running pumps driven backwards (the head across them exceeds their
    // shut-off head; EPANET would close them), with their flows in m3/s.
    const std::vector<ValveFlow>& PumpsAgainstFlow() const { return m_reversePumps; }
    // After a converged run: control valves that could not hold their setting (fully open and still
    // short of it, or switching without end), with their flows.
    const std::vector<ValveFlow>& ValvesThatCannotHold() const { return m_valvesShort; }
    // After a converged run: curve pumps whose head rise exceeded their shut-off head; they were
    // shut rather than run backwards.
    const std::vector<ValveFlow>& PumpsShutByHead() const { return m_pumpsShut; }
    // After a converged pressure-driven run: nodes that got less than their demand, and how much
    // less in all (m3/s).
    int DeficientNodeCount() const { return m_deficientNodes; }
    double Shortage() const { return m_shortage; }
    bool PressureDriven() const;
    // After a converged run: nodes without demand cut off from every known head by closed links
    // (GBK identifiers); they took no part and have no head.
    const std::vector<GbkString>& CutOffNodes() const { return m_cutOffNodes; }
    // What the engineer should look at after a converged run (UTF-8 lines), empty when nothing.
    std::string Report() const;
    // For status InvalidData: the object (GBK identifier) and the model field at fault.
    const GbkString& InvalidObjectId() const { return m_invalidObjectId; }
    const std::string& InvalidField() const { return m_invalidField; }

    static int PrecisionIndex(double headTolerance);
    static double HeadToleranceFor(int precision);
    static bool IsValidAccidentFactor(double f) { return f >= 0.0 && f <= 1.0; }
    // Progress bar position for the solver's progress: capped at 99% until `finished`.
    static int ProgressPosition(double progress, int low, int high, bool finished);
    // "42%" for a position within low..high.
    static std::string PercentText(int position, int low, int high);
    // Status pane: "未平差", or "已平差:" followed by the case name.
    // Results that no longer belong to the network add " (已修改)".
    static std::string StatusPaneText(bool balanced, int calcCase, bool stale = false);
    static std::string CaseName(int calcCase);

private:
    ZDocument* m_document = nullptr;
    ZDrawSettings& m_calcData;
    ZNetwork& m_network;
    ZConnectivityCheck m_connectivity;
    bool m_warm = false;
    int m_status = 0;
    int m_iterations = 0;
    double m_maxCorrection = 0.0;
    GbkString m_cutOffNodeId;
    int m_divergeReason = ZBalanceInfo::CutOff;
    GbkString m_divergedNodeId;
    double m_divergedHead = 0.0;
    std::string m_invalidMessage, m_invalidField;
    GbkString m_invalidObjectId;
    std::vector<ValveFlow> m_reverseCheckValves;
    std::vector<ValveFlow> m_reversePumps;
    std::vector<GbkString> m_cutOffNodes;
    std::vector<ValveFlow> m_valvesShort;
    std::vector<ValveFlow> m_pumpsShut;
    int m_deficientNodes = 0;
    double m_shortage = 0.0;
    ZBalanceInfo::Timings m_timings;
};
