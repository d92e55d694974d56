#include "ZDeviceSymbolSet.h"

namespace {
const ZDeviceSymbolSet kPump{20, 21, {0, 10}, {19, 10}, 1, {152, 0, 0}, {160, 0, 0}};
const ZDeviceSymbolSet kValve{20, 17, {0, 8}, {19, 8}, 3, {130, 179, 183}, {162, 181, 185}};
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
