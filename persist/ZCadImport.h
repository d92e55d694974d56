#pragma once
#include "ZCadNodeIndex.h"
#include "model/PipePoint.h"

#include <memory>
#include <string>
#include <vector>

class Prompt;
class ProgressObserver;
class ZEditTransaction;
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
        double MinDist = 0.0;      // connection tolerance, CAD units
        double ScaleCad = 1.0;     // ScaleCad CAD units ...
        double ScaleQen = 1.0;     // ... are ScaleQen millimetres
        bool SplitAtTees = false;
    };

    // With a transaction, every object added or changed is recorded in it.
    ZCadImport(ZNetwork& network, const ZTemplateSet& templates, const Options& options,
               ZEditTransaction* transaction = nullptr);
    ~ZCadImport();

    double Ratio() const { return m_ratio; }           // metres per CAD unit
    double Tolerance() const { return m_tolerance; }   // metres

    // One drawn line, in CAD units. True when a pipe was added; closed figures, zero-length
    // lines and points that are not finite add nothing.
    bool AddPolyline(const PipePoint* points, int count);

    // Where a drawing scan reports: progress, and the stop question on a stop request.
    void ReportTo(ProgressObserver* observer, Prompt* prompt)
    {
        m_observer = observer;
        m_prompt = prompt;
    }
    // One entity of a drawing scan (none: a skipped one, which still moves the progress). A stop
    // request asks "确认终止此操作吗?", whose Yes clears `keepGoing` (this entity is still taken).
    // True when a pipe was added.
    bool OnScannedEntity(const PipePoint* points, int count, int percent, bool& keepGoing);

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

private:
    class ZConsumeNode* EndNode(const PipePoint& p, const ZPipeLink& pipe);

    ZNetwork& m_network;
    const ZTemplateSet& m_templates;
    Options m_options;
    ZEditTransaction* m_tx;
    ProgressObserver* m_observer = nullptr;
    Prompt* m_prompt = nullptr;
    double m_ratio;
    double m_tolerance;
    ZCadNodeIndex m_index;
    std::vector<ZNetObject*> m_added;
    std::vector<ZNetObject*> m_changed;
    int m_pipesAdded = 0;
    int m_nodesAdded = 0;
};
