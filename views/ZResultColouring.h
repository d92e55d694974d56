#pragma once
#include "hydraulics/ZCriticality.h"
#include "hydraulics/ZFireFlow.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <unordered_map>
#include <vector>

class UnitSystem;
class ZNetObject;
class ZNetwork;

// A map colouring by analysis results: for nodes and for pipes, the class of each object that has
// a result, its colours and the key's title and ranges. Drawn over the grade colours; objects
// without a result keep their usual look.
class ZResultColouring {
    Q_DECLARE_TR_FUNCTIONS(ZResultColouring)

public:
    struct Layer {
        QString title;   // with its unit
        std::vector<uint32_t> colours;
        QStringList ranges;
        std::unordered_map<const ZNetObject*, int> classes;
        bool IsEmpty() const { return colours.empty(); }
    };

    Layer nodes, pipes;

    // The class of an object in its layer, or -1.
    int NodeClass(const ZNetObject& o) const { return ClassIn(nodes, o); }
    int PipeClass(const ZNetObject& o) const { return ClassIn(pipes, o); }
    bool IsEmpty() const { return nodes.IsEmpty() && pipes.IsEmpty(); }

    // Nodes by available fire flow, from red (none or little) to green, in the display flow unit.
    static Layer FireFlow(const std::vector<ZFireFlow::Result>& results, const ZNetwork& net, const UnitSystem& units);
    // Pipes by the nodes their failure affects (cut off or below H), from green (none) to red;
    // red too when the failure does not balance.
    static Layer Failures(const std::vector<ZCriticality::Result>& results, const ZNetwork& net);
    // The class limits: available flow in m3/s; affected node counts.
    static const std::vector<double>& FireFlowLimits();
    static const std::vector<double>& FailureLimits();

private:
    static int ClassIn(const Layer& layer, const ZNetObject& o);
};
