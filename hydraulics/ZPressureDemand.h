#pragma once
#include <vector>

class ZBalanceContext;
class ZNetwork;
class ZNodalSystem;
struct ZBalanceParams;

// Pressure-driven demand of one balancing run. A node with demand D delivers
// d = D ((p - P0) / (PR - P0))^E at pressure p (head less ground) between P0 and PR, nothing
// below, D above.
//
// The law's inverse, p - P0 = (PR - P0) (d / D)^(1/E), is smooth where the law itself is not
// (its slope is infinite at P0 for E < 1), so each node keeps its delivered demand d as a state
// of the run, as EPANET 2.2 does: every pass linearises the inverse at d (steep barriers below
// 0 and above D stand for the flat ends, and a floor on the slope for the steep start) and puts
// d(h) = d + (h - ground - P0 - H(d)) / H'(d) into the node's balance: its constant part into the
// right-hand side, 1 / H'(d) onto the diagonal. After the heads move, d follows the same line,
// except where the line is the zero barrier's (or leads below zero): there d takes the law's value
// at the new pressure, since the barrier's steep line would hold it for a pass at every crossing.
// The run has converged only when every d also meets the law at the final heads.
class ZPressureDemand {
public:
    static constexpr double Tolerance = 1e-6;   // m3/s between d and the law at the final heads

    ZPressureDemand(const ZBalanceParams& params);

    // Takes the flow-known nodes with a positive demand in the case that the run solves for
    // (`held`: per node, nodes it leaves out; may be empty). Starts each at its full demand.
    void Gather(const ZNetwork& network, const ZBalanceContext& ctx, const std::vector<char>& held);
    bool Empty() const { return m_nodes.empty(); }

    // After the nodes' demands went into rhs (internal order): the linearised delivered demand
    // takes the full demand's place.
    void Assemble(const ZNetwork& network, ZNodalSystem& system, double* rhs, const std::vector<int>& perm);
    // After the heads moved by relaxation w times the corrections `delta` (natural order).
    void Update(const ZNetwork& network, double w, const std::vector<double>& delta);
    bool Converged(const ZNetwork& network) const;
    // Writes every gathered node's delivered demand (within 0 .. D) into NodeDeliveredFlow.
    void Store(ZNetwork& network) const;

    // The law d / D at pressure p.
    double Fraction(double pressure) const;

private:
    struct Node {
        int index;
        double full, delivered;
        double loss = 0.0, gradient = 1.0;   // H(d) and H'(d) of the last assembly
    };
    void Linearise(Node& n) const;

    double m_min, m_span, m_exponent;
    std::vector<Node> m_nodes;
};
