#pragma once
#include <string>
#include <vector>

class ZFlowNode;
class ZNetwork;

// Finds the connected pieces of a network over every link (closed devices and accident pipes
// included) and words the report that names one node of each piece.
class ZConnectivityCheck {
public:
    // True when the network has at most one piece (an empty network passes).
    bool Run(const ZNetwork& network);

    int PieceCount() const { return m_count; }
    // Piece number of each node by list position, numbered in the list order of each piece's first node.
    const std::vector<int>& Components() const { return m_component; }
    // The node that names piece c: its first node in list order that is not hidden, or its very
    // first node when all are hidden.
    const ZFlowNode* PieceStartNode(int piece) const;

    // Report texts in UTF-8 (node identifiers converted from GBK); empty when the check passed.
    static std::string ReportTitle();
    std::string ReportText() const;

private:
    void Search(int start, std::vector<char>& visited, int piece);

    const ZNetwork* m_network = nullptr;
    std::vector<int> m_component;
    std::vector<const ZFlowNode*> m_startNodes;
    int m_count = 0;
};
