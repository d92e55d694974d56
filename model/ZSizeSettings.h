#pragma once

class KeyValueStore;

// Pen widths and symbol sizes in screen pixels ("System Size").
class ZSizeSettings {
public:
    int PipePenWidth = 1;
    int NodePenWidth = 1;
    int HintPenWidth = 2;
    int ArrawLength = 8;
    int NodeWidth = 6;
    int HintFocWidth = 12;
    int TipFocWidth = 6;
    int MinZoomWindowWidth = 5;
    int SeleExtWidth = 1;
    int LabelLead = 0;

    // Sizes are drawn in pixels: a negative or absurd stored value keeps the default.
    static constexpr int MaxSize = 1000;

    void Load(const KeyValueStore& store);
    void Save(KeyValueStore& store) const;

    static constexpr const char* Section = "System Size";
};
