#pragma once
#include "ZConsumeNode.h"
#include "ZPipeLink.h"
#include "ZPumpLink.h"
#include "ZTankLink.h"
#include "ZValveLink.h"

class KeyValueStore;

// The five objects new nodes, pipes, pumps, valves and tanks are cloned from ("System Template").
class ZTemplateSet {
public:
    ZConsumeNode Node;
    ZPipeLink Pipe;
    ZPumpLink Pump;
    ZValveLink Valve;
    ZTankLink Tank;

    void Load(const KeyValueStore& store);
    void Save(KeyValueStore& store) const;

    static constexpr const char* Section = "System Template";
};
