#pragma once
#include <string>
#include <unordered_set>
#include <vector>

class ZConsumeNode;
class ZEditTransaction;
class ZFlowLink;
class ZNetObject;
class ZNetwork;
class ZPipeLink;

// Splits pipes where a node lies on their middle: survey drawings draw a branch as a line that
// ends on the main, and the model needs a node there joining both halves of the main.
class ZPipeTeeSplitter {
public:
    // With a transaction, the split pipes, their nodes and the new halves are recorded in it.
    ZPipeTeeSplitter(ZNetwork& network, double tolerance, ZEditTransaction* transaction = nullptr);
    // Splits every pipe that passes within the tolerance of one of `nodes` without ending within
    // the tolerance of it. The half from the split node on is a new pipe (a copy of the pipe
    // with a new identifier), appended to `added`; the shortened pipe goes to `changed`.
    int Split(const std::vector<ZConsumeNode*>& nodes, std::vector<ZNetObject*>& added,
              std::vector<ZNetObject*>& changed);
    // Pairs of pipes found lying along each other in the last Split: not split where they overlap.
    int Overlaps() const { return m_overlaps; }
    // Node and segment pairs the last Split measured: a few per node, however unequal the
    // drawing's line lengths.
    long long Measured() const { return m_measured; }

private:
    struct Hit {
        ZPipeLink* pipe;
        int segment;    // 0: from the start node to the first bend point
        double along;   // position on the segment, 0..1
        double distance;
        ZConsumeNode* node;
    };
    void SplitPipe(ZPipeLink* pipe, std::vector<Hit>& hits, std::vector<ZNetObject*>& added);
    std::string NewId();

    ZNetwork& m_network;
    double m_tolerance;
    ZEditTransaction* m_tx;
    int m_overlaps = 0;
    long long m_measured = 0;
    std::vector<ZFlowLink*> m_newLinks;             // halves made in this Split, merged at its end
    std::unordered_set<std::string> m_pendingIds;   // their identifiers
};
