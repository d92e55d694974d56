#include "ZDeviceSymbolSet.h"

namespace {
const ZDeviceSymbolSet kPump{20, 21, {0, 10}, {19, 10}, 1, {152, 0, 0}, {160, 0, 0}};
// A valve's variant is its ValveType: gate, check, fixed reduction, then the control kinds.
const ZDeviceSymbolSet kValve{20,
                              17,
                              {0, 8},
                              {19, 8},
                              9,
                              {130, 179, 183, 301, 302, 303, 304, 305, 306},
                              {162, 181, 185, 311, 312, 313, 314, 315, 316}};
const ZDeviceSymbolSet kTank{19, 19, {9, 17}, {0, 0}, 2, {164, 175, 0}, {166, 177, 0}};
}   // namespace

const ZDeviceSymbolSet* ZDeviceSymbolSet::For(ZNetObject::Kind kind)
{
    switch (kind) {
    case ZNetObject::Kind::Pump:
        return &kPump;
    case ZNetObject::Kind::Valve:
        return &kValve;
    case ZNetObject::Kind::Tank:
        return &kTank;
    default:
        return nullptr;
    }
}
