#pragma once
#include "ZCadNodeIndex.h"
#include "model/PipePoint.h"

#include <memory>
#include <string>
#include <unordered_set>
#include <string_view>
#include <vector>

class Prompt;
class ProgressObserver;
class ZEditTransaction;
class ZFlowLink;
class ZNetObject;
class ZNetwork;
class ZPipeLink;
class ZTemplateSet;

// Turns the lines and polylines of a CAD drawing into pipes of a network: each drawn line one
// pipe, its ends joined to the first node within the tolerance or to new nodes, its inner
// vertices the pipe's bend points. Optionally splits a pipe where another one ends on it.
class ZCadImport {
public:
    struct Options {
        double MinDist = 0.0;    // connection tolerance, CAD units
        double ScaleCad = 1.0;   // ScaleCad CAD units ...
        double ScaleQen = 1.0;   // ... are ScaleQen millimetres
        bool SplitAtTees = false;
    };

    // With a transaction, every object added or changed is recorded in it.
    ZCadImport(ZNetwork& network, const ZTemplateSet& templates, const Options& options,
               ZEditTransaction* transaction = nullptr);
    ~ZCadImport();

    double Ratio() const { return m_ratio; }           // metres per CAD unit
    double Tolerance() const { return m_tolerance; }   // metres

    // One drawn line, in CAD units; `drawnLength` (CAD units, 0: the polyline's own) is kept as the
    // pipe's length when arcs were drawn as chords, `line` names the file line in notes. True when
    // a pipe was added. A closed figure (last point on the first) becomes two pipes split at the
    // bend point nearest half its length; zero-length lines and points out of the number range
    // (after scaling) add nothing and are counted.
    bool AddPolyline(const PipePoint* points, int count, double drawnLength = 0.0, int line = 0);

    // Where a drawing scan reports: progress, and the stop question on a stop request.
    void ReportTo(ProgressObserver* observer, Prompt* prompt)
    {
        m_observer = observer;
        m_prompt = prompt;
    }
    // One entity of a drawing scan (none: a skipped one, which still moves the progress). A stop
    // request asks "确认终止此操作吗?", whose Yes clears `keepGoing` (this entity is still taken).
    // True when a pipe was added.
    bool OnScannedEntity(const PipePoint* points, int count, int percent, bool& keepGoing, double drawnLength = 0.0,
                         int line = 0);

    // What the import left out or noticed, one UTF-8 line each (splits add their own).
    std::vector<std::string> Notes() const;
    int OverlapsFound() const { return m_overlaps; }

    // Puts the nodes and pipes a scan made into the network's arrays (connected, but not listed
    // until then: one merge instead of a shift of the arrays per object). CadBridgeScan calls it
    // at the end of the scan; AddPolyline alone adds at once.
    void Finish();

    // Where an end of a pipe added here lies on the middle of another pipe (within the tolerance),
    // that pipe is split there into two joined at the node. Returns the number of splits.
    int SplitAtTees();

    // Objects added to the network (nodes and pipes, in the order made) and pipes changed by splits.
    const std::vector<ZNetObject*>& Added() const { return m_added; }
    const std::vector<ZNetObject*>& Changed() const { return m_changed; }
    int PipesAdded() const { return m_pipesAdded; }
    int NodesAdded() const { return m_nodesAdded; }

    // Splits a layer list typed as "A;B;;C": every maximal run without ";" is one name, nothing
    // trimmed, empty runs dropped.
    static std::vector<std::string> SplitLayers(const std::string& text);
    // A layer name typed in UTF-8 as the CAD bridge takes it: GBK, with the characters GBK
    // cannot hold written \U+XXXX as DXF files write them, so such layers stay selectable.
    static std::string LayerNameToGbk(std::string_view utf8);

private:
    class ZConsumeNode* EndNode(const PipePoint& p, const ZPipeLink& pipe);
    bool AddPipe(const std::vector<PipePoint>& pts, double factor);
    std::string NewId(bool node);
    void WillChange(ZNetObject* obj);

    ZNetwork& m_network;
    const ZTemplateSet& m_templates;
    Options m_options;
    ZEditTransaction* m_tx;
    ProgressObserver* m_observer = nullptr;
    Prompt* m_prompt = nullptr;
    double m_ratio;
    double m_tolerance;
    ZCadNodeIndex m_index;
    std::vector<ZConsumeNode*> m_newNodes;   // made, not yet in the network's arrays
    std::vector<ZFlowLink*> m_newLinks;
    std::unordered_set<std::string> m_nodeIds, m_linkIds;
    std::vector<ZNetObject*> m_added;
    std::vector<ZNetObject*> m_changed;
    int m_pipesAdded = 0;
    int m_nodesAdded = 0;
    bool m_batch = false;
    int m_zeroLength = 0;
    int m_sameNode = 0;
    int m_rings = 0;
    int m_outOfRange = 0;
    int m_outOfRangeLine = 0;
    int m_overlaps = 0;
};
