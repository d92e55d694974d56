#pragma once
#include "ZNodalSystem.h"
#include "ZPhysicalCheck.h"
#include "ZPressureDemand.h"
#include "ZValveControl.h"
#include "model/ZBalanceContext.h"

#include <memory>
#include <string>
#include <vector>

class ProgressObserver;
class ZDrawSettings;
class ZFlowLink;
class ZFlowNode;
class ZNetwork;

// One balancing run: node-head Newton iteration over the flow-known nodes' heads. Built from a
// document's calculation record and network, run once, read, discarded.
class ZBalanceInfo : public ZBalanceContext {
public:
    enum Phase { PhaseStart = 1, PhaseCheck = 2, PhaseIterate = 3, PhaseFinished = 4 };
    enum Status {
        Converged = 1,
        Stopped = 2,
        IterationLimit = 3,
        NoHeadKnownNode = 5,
        // Nothing is written back; GetDivergeReason says why.
        Diverged = 6,
        // Data the calculation cannot use (GetPhysicalCheck names it); nothing was calculated.
        InvalidData = 7,
    };
    enum DivergeReason {
        // A correction came out non-finite or the matrix was singular: some part of the network
        // reaches no known head through open links.
        CutOff = 0,
        // A head left the physical range (beyond it a head tolerance is finer than a double
        // resolves, and the passes would oscillate for ever).
        HeadOutOfRange = 1,
        // The largest correction did not halve over StallPasses passes.
        NotShrinking = 2,
    };
    static constexpr int StallPasses = 500;

    ZBalanceInfo(const ZDrawSettings& calcData, ZNetwork& network);

    // Told once per phase change and once per pass: the progress (capped below 1 until the end;
    // GetPhase says where the run is) and asked whether to stop.
    void SetProgressObserver(ProgressObserver* observer) { m_progressObserver = observer; }

    void Run();
    void RequestStop() { m_stopRequest = 1; }

    // For runs of the same network one after another (extended-period simulation): the matrix
    // ordering and symbolic factorisation are kept, and each run after a converged one starts
    // from the heads that one left. The network's topology must not change meanwhile.
    void KeepSystem(bool on) { m_keepSystem = on; }
    // Whether the next run starts from the heads the network holds (a solution of a nearby
    // problem) instead of the first guess; from there it takes whole Newton steps at once.
    void StartFromPresentHeads(bool on)
    {
        m_initHeads = on ? 0 : 1;
        m_wholeSteps = on;
    }
    // For runs after a converged one that change node demands and nothing else (fire flow trials):
    // the data check, the held-out nodes and the resistances of that run stand.
    void ReusePreparation(bool on) { m_reusePreparation = on; }
    // Pipes whose flow turns take the secant through zero flow in every run, not only in runs with
    // control valves or pressure-driven demand (see Assemble). For runs from a nearby solution
    // whose flow pattern shifts (the sweeps' trials), where the law's slope makes the heads about
    // a turning pipe swing for several passes.
    void SecantAtReversal(bool on) { m_secantAtReversal = on; }
    // For callers that read the heads alone (the sweeps' trials): a converged run leaves the links'
    // flows, the known-head nodes' flows, delivered demands and device results as they stood.
    void HeadsOnly(bool on) { m_headsOnly = on; }
    // Ends a run a pass early when the passes converge quadratically and the next correction,
    // extrapolated from the last two, is below half the head tolerance: the heads then stand
    // within that of where the confirming pass would leave them. Runs judged by the heads' change
    // alone, without control valves or pressure-driven demand, whose laws are smooth. For the
    // sweeps, whose thousands of balances each end on a pass that only confirms.
    void PredictLastPass(bool on) { m_predictLastPass = on; }
    // For the next runs' first pass: each open pipe's law is taken by its tangent at these flows
    // (per link list position, of one of its parallel pipes, from -> to; null: none) instead of at
    // the flows the heads give. For a run whose flows are foreseen better than its heads (a fire
    // flow trial from the base flows and the extra demand's paths): the heads' errors in pipes of
    // little loss turn into large flow errors, the flows' into small head errors.
    void StartFromFlows(const std::vector<double>* flows) { m_startFlows = flows; }
    static constexpr double MinStartFlow = 1e-9;   // m3/s; below, the heads' flow is taken
    // Links held shut for the next runs (per link list position, owned by the caller; null: none):
    // no flow, no part in joining nodes to a known head, as a closed valve.
    void SetShutLinks(const std::vector<char>* shut) { m_shut = shut; }

    // After a converged run kept by KeepSystem: the head drop at every node (list positions) per
    // m3/s of extra demand at `node`, from the matrix of the run's last pass (its solution's
    // Jacobian to within the tolerance). `scratch` is the caller's; reads only, so threads may
    // share the run. False when no such run is at hand.
    bool DemandSensitivity(int node, std::vector<double>& drop, std::vector<double>& scratch) const;

    int GetPhase() const { return m_phase; }
    double GetProgress() const { return m_progress; }
    int GetStatus() const { return m_status; }
    int GetIterationCount() const { return m_iterationCount; }
    double GetMaxCorrection() const { return m_maxCorrection; }
    double GetCorrectionRatio() const { return m_correctionRatio; }
    double GetRelaxation() const { return m_relaxation; }
    double GetHeadTolerance() const { return m_headTolerance; }
    // For status Diverged: a flow-known node that no open link path joins to a known head, when
    // one was found (null if the matrix failed for another reason).
    const ZFlowNode* GetCutOffNode() const { return m_cutOffNode; }
    int GetDivergeReason() const { return m_divergeReason; }
    // HeadOutOfRange: the first node whose head left the range; NotShrinking: the node of the
    // largest correction in the last pass.
    const ZFlowNode* GetDivergedNode() const { return m_divergedNode; }
    const ZPhysicalCheck& GetPhysicalCheck() const { return m_physical; }
    // Flow-known nodes without demand that no open link path joins to a known head: held out of
    // the run (their heads are no results), marked FLAG_CUT_OFF once the run converges.
    int GetCutOffCount() const { return m_pinnedCount; }
    bool IsPinned(int node) const { return !m_pinned.empty() && m_pinned[static_cast<size_t>(node)]; }

    // Water entering the node through its pipes (all parallels), positive into the node.
    static double NetPipeInflow(const ZFlowNode& node);

    struct Timings {
        double ordering = 0.0, symbolic = 0.0, assembly = 0.0, factor = 0.0, solve = 0.0, total = 0.0;
        long long factorNonZeros = 0;
    };
    const Timings& GetTimings() const { return m_timings; }

private:
    void Notify();
    bool Prepare();
    const ZFlowNode* FindCutOffNode() const;
    std::vector<char> ReachedNodes() const;
    void MarkCutOff();
    void BuildSystem();
    void Iterate();
    // After a pass: ends the run as diverged when the heads or the corrections say it never will.
    bool CheckDivergence(int largestRow);
    void GatherPipes();
    void GatherPipeTerms();   // the fast path's pipe list (GatherPipes)
    void Assemble();
    void StoreFlows();
    void MendFlows();
    void WriteBack();
    void StoreDelivered();
    std::vector<char> AnchoredNodes() const;
    static bool LawThroughZero(const ZFlowLink& link);
    // After the heads converged: whether the demands and valve states did too.
    bool ComponentsSettled();

    ZNetwork& m_network;
    const ZDrawSettings& m_calcData;
    std::unique_ptr<ZNodalSystem> m_system;        // exists while iterating
    std::vector<double> m_rhs;                     // right-hand side, then the corrections
    std::vector<double> m_conductance;             // per link, of the latest assembly
    std::vector<std::pair<int, int>> m_linkRows;   // per link, its start and end rows

    // Open pipes are assembled from arrays of their own, in the order of their matrix slots, so
    // that large networks read heads and write values close to where the last pipe did. Their
    // flows reach the pipes when the iteration ends (StoreFlows). Other links go through the
    // element operations in list order.
    struct PipeTerm {
        unsigned from, to;                // internal rows of the start and end node
        unsigned diagFrom, diagTo, off;   // value slots
        int link;                         // list position
        double resistance, exponent, parallel;
    };
    std::vector<PipeTerm> m_pipes;
    std::vector<double> m_pipeFlow, m_pipeConductance;   // per term, of the latest assembly
    // Per term: 1 / exponent, and the scratch of one assembly (|dh| / s, then its power; dh).
    std::vector<double> m_pipeInverseExponent, m_pipePower, m_pipeHeadDifference;
    std::vector<int> m_otherLinks;
    std::vector<int> m_slotOrder;   // link list positions by their off-diagonal slot
    std::vector<double> m_heads;    // node heads in internal row order
    bool m_flowsPending = false;
    // Control or shutting check valves, or pressure-driven demand: pipes whose flow turns take the
    // secant (Assemble). Networks without them keep the law's slope throughout.
    bool m_componentRun = false;
    bool m_secantAtReversal = false;                     // see SecantAtReversal
    bool m_headsOnly = false;                            // see HeadsOnly
    bool m_predictLastPass = false;                      // see PredictLastPass
    const std::vector<double>* m_startFlows = nullptr;   // see StartFromFlows
    bool LastPassPredicted() const;
    int m_phase = PhaseStart;
    double m_progress = 0.0;
    double m_maxCorrection = 0.0;
    double m_prevMaxCorrection = 0.0;
    double m_correctionRatio = 0.0;
    double m_relaxation = 1.0;
    int m_initHeads = 1;
    bool m_wholeSteps = false;
    bool m_reusePreparation = false;
    bool m_prepared = false;   // the last run passed Prepare and converged
    bool m_keepSystem = false;
    const std::vector<char>* m_shut = nullptr;
    bool IsShut(int link) const { return m_shut && (*m_shut)[static_cast<size_t>(link)]; }
    int m_initResistances = 1;
    int m_iterationLimit = -1;
    unsigned m_checkFlags = 0;
    double m_flowTolerance = 0.0;
    double m_headTolerance = 0.0;
    int m_status = Converged;
    int m_iterationCount = 0;
    int m_stopRequest = 0;
    ProgressObserver* m_progressObserver = nullptr;
    const ZFlowNode* m_cutOffNode = nullptr;
    const ZFlowNode* m_divergedNode = nullptr;
    int m_divergeReason = CutOff;
    double m_bestCorrection = 0.0;   // the smallest largest-correction so far, halving steps only
    int m_bestPass = 0;
    std::vector<char> m_pinned;   // per node, when any is held out (empty otherwise)
    int m_pinnedCount = 0;
    double m_heldHead = 0.0;
    ZPhysicalCheck m_physical;
    ZValveControl m_valves;
    std::unique_ptr<ZPressureDemand> m_pressureDemand;   // pressure-driven runs only
    Timings m_timings;
};
