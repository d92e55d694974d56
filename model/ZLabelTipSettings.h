#pragma once
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
    std::string NodeId;
    std::string NodeCoord;
    std::string NodeFlow = "Q=";
    std::string NodeElev;
    std::string NodeHydr = "H=";
    std::string NodeFreeHead;

    int PipeUpFlags = 12;
    int PipeDownFlags = 544;
    std::string PipeId;
    std::string PipeCoef;
    std::string PipeDiam = "D=";
    std::string PipeLeng = "L=";
    std::string PipeFlow = "Q=";
    std::string PipeVelo;
    std::string PipeI;
    std::string PipeHLoss = "H=";
    std::string PipeSep = "-";

    bool IsMultiLine() const { return LabelMode == MultiLine; }
    bool LabelsAtScale(double scale) const { return MaxLabelScale <= 0.0 || scale <= MaxLabelScale; }

    void Load(const KeyValueStore& store);
    void Save(KeyValueStore& store) const;

    static constexpr const char* Section = "System LabelTip";
    static constexpr const char* NodeSection = "MultiNodeLabel";
    static constexpr const char* PipeSection = "MultiPipeLabel";
};
