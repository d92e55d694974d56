#pragma once
#include "model/PipePoint.h"

#include <string>
#include <vector>

class ZConsumeNode;
class ZDeviceLink;
class ZDocument;
class ZFlowLink;
class ZPipeLink;

// The network edits of the editing tools, each one undoable step of the document's history,
// announced once. New objects passed in are owned by the document afterwards (or deleted when
// the step fails); objects without a free identifier get a default one here.
class ZNetEditor {
public:
    enum Operation { Insert = 1, Delete = 2, Move = 3 };

    explicit ZNetEditor(ZDocument& doc) : m_doc(doc) {}

    // Puts `node` on the pipe: at bend point `bend` (that bend point goes) or on segment
    // `segment` (0 from the start node). The pipe keeps the bend points before the split and
    // ends at the node; a copy of it runs on from the node with the rest. Returns the copy.
    ZPipeLink* InsertNodeOnPipe(ZPipeLink* pipe, ZConsumeNode* node, int segment, int bend);
    // Takes the node out with its links and every neighbour left without links.
    void RemoveNode(ZConsumeNode* node);
    // Moves the node (a device node takes its partner along) and its pipes' automatic lengths.
    void MoveNode(ZConsumeNode* node, double dx, double dy);
    // Drops one of the two nodes (see ZNetwork::MergeNodes) after the move onto the other. The
    // caller makes sure no link runs between them.
    void MergeNodes(ZConsumeNode* moved, ZConsumeNode* target);
    // A new pipe between two nodes, either of which may be new (not yet in the network).
    bool AddPipe(ZConsumeNode* start, ZConsumeNode* end, ZPipeLink* pipe, std::vector<PipePoint> bends);
    // Takes a pipe out with the end nodes it leaves without links.
    void RemovePipe(ZPipeLink* pipe);
    // Translates the pipe's end nodes and bend points.
    void MovePipe(ZPipeLink* pipe, double dx, double dy);
    // A device from `inlet` (new or in the network) to a new outlet node at the inlet's position.
    bool AddDevice(ZConsumeNode* inlet, ZDeviceLink* device, ZConsumeNode* outlet);
    // Takes a device out; when both its nodes carry other links, they are joined into one
    // (unless another link runs between them).
    void RemoveDevice(ZDeviceLink* device);

    // The step names the history shows ("插入管道", UTF-8), by operation and ZNetObject::Kind.
    static std::string StepName(int operation, int kind);

    // Whether a link runs between the two nodes (merging them would close it on itself).
    static bool Adjacent(const ZConsumeNode* a, const ZConsumeNode* b);

private:
    ZDocument& m_doc;
};
