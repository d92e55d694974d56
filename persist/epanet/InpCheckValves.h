#pragma once
#include <unordered_map>
#include <unordered_set>

class ZNetNode;
class ZNetObject;
class ZNetwork;
class ZPipeLink;
class ZValveLink;

// How the check valves of a network that shuts them against reverse flow go out to EPANET, whose
// check valve is a pipe with status CV. A check valve whose outlet joins nothing but one pipe (no
// demand, no known head) is folded into that pipe: the pipe, from the valve's inlet, with status CV
// and the valve's loss added to its minor loss. That is the import's own shape for a CV pipe, so
// an EPANET file comes back as it went in; the import's connector in front of the valve (a node
// of nothing but the two) folds away as well. Any other open check valve goes out as a pipe of its
// own: short, wide and smooth, with status CV and the valve's loss.
class InpCheckValves {
public:
    struct Fold {
        const ZValveLink* valve;
        const ZNetNode* from;   // where the CV pipe starts
        const ZNetNode* to;     // and ends
        bool reversed;          // the folded pipe ran towards the valve
    };
    // Nothing folds when the network lets its check valves pass both ways (EPANET's would not).
    InpCheckValves(const ZNetwork& net, bool closeAgainstReverse);

    // The fold a pipe carries, or null.
    const Fold* ForPipe(const ZPipeLink& pipe) const;
    // An open check valve written as a short CV pipe of its own, or null.
    const Fold* OwnPipe(const ZValveLink& valve) const;
    // Valves, connectors and nodes the folds replace.
    bool Skips(const ZNetObject* object) const { return m_skipped.count(object) > 0; }
    // A folded pipe's added minor loss coefficient: the valve's S q^2 as K v^2 / 2g in the pipe.
    static double ValveLossOn(const ZValveLink& valve, double diameter);

    // The short pipe of an unfolded check valve (m).
    static constexpr double ShortLength = 0.01;

private:
    std::unordered_map<const ZPipeLink*, Fold> m_folds;
    std::unordered_map<const ZValveLink*, Fold> m_own;
    std::unordered_set<const ZNetObject*> m_skipped;
};
