#pragma once
#include "ViewExtent.h"
#include "ZConsumeNode.h"
#include "ZFlowLink.h"
#include "ZNetworkRecorder.h"
#include "ZSortedObArray.h"

#include <string_view>
#include <vector>

class ZNetView;

// The nodes and links of one document, each array sorted by Id. Owns every object it holds;
// removal hands objects back to the caller instead of deleting them.
class ZNetwork {
public:
    ZNetwork() = default;
    ~ZNetwork();
    ZNetwork(const ZNetwork&) = delete;
    ZNetwork& operator=(const ZNetwork&) = delete;

    int NodeCount() const { return m_nodes.Count(); }
    int LinkCount() const { return m_links.Count(); }
    ZConsumeNode* NodeAt(int i) const { return m_nodes.At(i); }
    ZFlowLink* LinkAt(int i) const { return m_links.At(i); }
    const ZSortedObArray<ZConsumeNode>& Nodes() const { return m_nodes; }
    const ZSortedObArray<ZFlowLink>& Links() const { return m_links; }
    ZConsumeNode* FindNode(GbkView id) const { return m_nodes.Find(id); }
    ZFlowLink* FindLink(GbkView id) const { return m_links.Find(id); }

    // False, and nothing changed, when the Id is taken. The network owns the object after true.
    bool AddNode(ZConsumeNode* node);
    // Inserts and connects; both nodes must be in the network.
    bool AddLink(ZConsumeNode* start, ZConsumeNode* end, ZFlowLink* link);
    void ReSortNode(ZConsumeNode* node)
    {
        WillChange(node);
        m_nodes.ReSort(node);
    }
    void ReSortLink(ZFlowLink* link)
    {
        WillChange(link);
        m_links.ReSort(link);
    }

    // Removes the link and any end node it leaves isolated; the caller owns what `removed` gets.
    void TakeOutLink(ZFlowLink* link, std::vector<ZNetObject*>& removed);
    // Removes the node, its links and every neighbour left isolated.
    void TakeOutNode(ZConsumeNode* node, std::vector<ZNetObject*>& removed);
    // Moves every link of the dropped node to the kept one (b when b is a device node, else a),
    // places the kept node at b's position and returns the dropped node, taken out, for deletion.
    ZConsumeNode* MergeNodes(ZConsumeNode* a, ZConsumeNode* b);

    void MakeDefaultId(ZNetObject* obj) const;
    // The first node at or after `start` that is neither hidden nor filtered and lies in the area
    // (inside it when byRect, else touching it); `start` moves past it, or becomes -1 at the end.
    ZConsumeNode* HitTestNodes(const ZNetView& view, const ViewExtent& area, int& start, bool byRect) const;
    // Union of the model positions of every node and pipe vertex; zero rectangle when empty.
    ViewExtent BoundRect() const;
    // Union of every object's bound rectangle as the view shows it (device symbols included).
    ViewExtent BoundRect(const ZNetView& view) const;

    // Readers restoring a stored array in order use these; false when the order breaks.
    bool AppendNodeSorted(ZConsumeNode* node) { return m_nodes.AppendSorted(node); }
    bool AppendLinkSorted(ZFlowLink* link) { return m_links.AppendSorted(link); }
    void ReserveNodes(size_t n) { m_nodes.Reserve(n); }
    void ReserveLinks(size_t n) { m_links.Reserve(n); }

    // Deletes every object (nodes first, each array from its last element down).
    void Clear();

    // The open edit transaction, told before AddNode, AddLink, TakeOutLink, TakeOutNode,
    // MergeNodes and the re-sorts change an object. Null when none is open.
    void SetRecorder(ZNetworkRecorder* recorder) { m_recorder = recorder; }
    ZNetworkRecorder* Recorder() const { return m_recorder; }
    // For the edit history restoring a recorded state: takes objects out of the arrays and puts
    // others in at their sorted places, without touching topology. False when an Id collides.
    void RemoveFromArrays(const std::vector<ZConsumeNode*>& nodes, const std::vector<ZFlowLink*>& links);
    bool MergeIntoArrays(std::vector<ZConsumeNode*> nodes, std::vector<ZFlowLink*> links);

private:
    void WillChange(ZNetObject* obj)
    {
        if (m_recorder)
            m_recorder->WillChange(obj);
    }

    ZNetworkRecorder* m_recorder = nullptr;
    ZSortedObArray<ZConsumeNode> m_nodes;
    ZSortedObArray<ZFlowLink> m_links;
};
