#pragma once
#include "GbkString.h"

class ZNetView;
class ZFlowNode;
class ZPipeLink;
class ZPumpLink;
class ZValveLink;
class ZTankLink;

// The texts objects describe themselves with (GBK): tooltips, single-value labels, the table-style
// node label and the two-part pipe label. Items and prefixes come from the application's label
// settings; results depend on the document's balanced flag, case and accident factor. Results the
// view holds for stale (ZNetView::IsResultStale) are left empty. Tooltip values carry their units.
class ZObjectLabels {
public:
    // Tooltip bits, in the order the items appear.
    enum NodeTipBits {
        NodeTipId = 0x1,
        NodeTipCoord = 0x2,
        NodeTipFlow = 0x4,
        NodeTipElev = 0x8,
        NodeTipHydr = 0x10,
        NodeTipFreeHead = 0x20
    };
    enum PipeTipBits {
        PipeTipId = 0x1,
        PipeTipCoef = 0x2,
        PipeTipDiam = 0x4,
        PipeTipLeng = 0x8,
        PipeTipFlow = 0x20,
        PipeTipVelo = 0x80,
        PipeTipSlope = 0x100,
        PipeTipHLoss = 0x200
    };

    static GbkString NodeTip(const ZNetView& view, const ZFlowNode& node);
    static GbkString PipeTip(const ZNetView& view, const ZPipeLink& pipe);
    static GbkString PumpTip(const ZNetView& view, const ZPumpLink& pump);
    static GbkString ValveTip(const ZNetView& view, const ZValveLink& valve);
    static GbkString TankTip(const ZNetView& view, const ZTankLink& tank);

    static GbkString NodeGrade(const ZNetView& view, const ZFlowNode& node);
    static GbkString PipeGrade(const ZNetView& view, const ZPipeLink& pipe);
    static GbkString PumpGrade(const ZNetView& view, const ZPumpLink& pump);
    static GbkString ValveGrade(const ZNetView& view, const ZValveLink& valve);
    static GbkString TankGrade(const ZNetView& view, const ZTankLink& tank);

    // One line per selected item (NodeFlags), lines separated by "\n"; empty unless labels are on.
    static GbkString NodeMultiLabel(const ZNetView& view, const ZFlowNode& node);
    // Upper text from PipeUpFlags, lower from PipeDownFlags, items joined by PipeSep.
    static void PipeMultiLabel(const ZNetView& view, const ZPipeLink& pipe, GbkString& upper, GbkString& lower);

    // Demand shown for a node: the case demand once the document is balanced, else NodeFlow.
    static double ShownDemand(const ZNetView& view, const ZFlowNode& node);
    // Which node values a balancing run computes: a head-known node's demand (a source's supply),
    // a flow-known node's head and free head. A link's flow and all that follows from it always.
    static bool DemandIsResult(const ZFlowNode& node);
    static bool HeadIsResult(const ZFlowNode& node);
    // Head loss of an attached pipe (0 while detached) and |head loss| / length (0 for no length).
    static double PipeHeadLoss(const ZPipeLink& pipe);
    static double PipeSlope(const ZPipeLink& pipe);
};
