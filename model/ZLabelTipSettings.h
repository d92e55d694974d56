#pragma once
#include "GbkString.h"

#include <string>

class KeyValueStore;

// What labels and tooltips show: tooltip bit masks and label item numbers per object kind
// ("System LabelTip"), the multi-line node label ("MultiNodeLabel") and the two-part pipe label
// ("MultiPipeLabel") with their prefixes (GBK), and the label mode, which is never stored.
class ZLabelTipSettings {
public:
    enum LabelModeValue { SingleValue = 0, MultiLine = 1 };

    int NodeTip = 3;
    int PipeTip = 5;
    int PumpTip = 1;
    int ValveTip = 1;
    int TankTip = 1;
    int NodeLabe = 1;
    int PipeLabel = 1;
    int PumpLabel = 0;
    int ValveLabel = 0;
    int TankLabel = 0;
    int LabelMode = SingleValue;
    // Labels show only while the view's scale (world units per pixel) is at most this; 0 always.
    double MaxLabelScale = 0.0;

    int NodeFlags = 20;
    GbkString NodeId;
    GbkString NodeCoord;
    GbkString NodeFlow{"Q="};
    GbkString NodeElev;
    GbkString NodeHydr{"H="};
    GbkString NodeFreeHead;

    int PipeUpFlags = 12;
    int PipeDownFlags = 544;
    GbkString PipeId;
    GbkString PipeCoef;
    GbkString PipeDiam{"D="};
    GbkString PipeLeng{"L="};
    GbkString PipeFlow{"Q="};
    GbkString PipeVelo;
    GbkString PipeI;
    GbkString PipeHLoss{"H="};
    GbkString PipeSep{"-"};

    bool IsMultiLine() const { return LabelMode == MultiLine; }
    bool LabelsAtScale(double scale) const { return MaxLabelScale <= 0.0 || scale <= MaxLabelScale; }

    void Load(const KeyValueStore& store);
    void Save(KeyValueStore& store) const;

    static constexpr const char* Section = "System LabelTip";
    static constexpr const char* NodeSection = "MultiNodeLabel";
    static constexpr const char* PipeSection = "MultiPipeLabel";
};
