#pragma once
#include <cstdint>
#include <vector>

class KeyValueStore;

// Display colours ("System Color"), each r + 256 g + 65536 b, plus the node and pipe grade colour lists.
class ZColorSettings {
public:
    static constexpr uint32_t Rgb(int r, int g, int b)
    {
        return uint32_t(r & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF) << 16;
    }
    static constexpr int Red(uint32_t c) { return int(c & 0xFF); }
    static constexpr int Green(uint32_t c) { return int(c >> 8 & 0xFF); }
    static constexpr int Blue(uint32_t c) { return int(c >> 16 & 0xFF); }
    // A grade list can not usefully have more colours than this; larger stored counts are ignored.
    static constexpr int MaxGradeColors = 256;

    ZColorSettings();

    uint32_t BkGround = Rgb(255, 255, 255);
    uint32_t EquHydr = Rgb(0, 0, 0);
    uint32_t ContourFillLow = Rgb(0, 255, 0);
    uint32_t ContourFillHigh = Rgb(255, 0, 0);
    uint32_t Gird = Rgb(125, 125, 125);
    uint32_t FocusHint = Rgb(255, 0, 0);
    uint32_t ZoomWindow = Rgb(255, 0, 0);
    uint32_t Node = Rgb(255, 0, 0);
    uint32_t NodeFill = Rgb(0, 255, 125);
    uint32_t NodeText = Rgb(255, 125, 0);
    uint32_t BkNodeText = Rgb(255, 255, 255);
    uint32_t Pipe = Rgb(0, 0, 255);
    uint32_t PipeText = Rgb(0, 125, 255);
    uint32_t BkPipeText = Rgb(255, 255, 255);

    std::vector<uint32_t> NodeGradeColors;
    std::vector<uint32_t> PipeGradeColors;

    // The five default grade colours: v = 51 (i + 1), (v, 255 - v, v i mod 255).
    static std::vector<uint32_t> DefaultGradeColors();

    void Load(const KeyValueStore& store);
    void Save(KeyValueStore& store) const;

    static constexpr const char* Section = "System Color";

private:
    struct Entry {
        const char* key;
        uint32_t ZColorSettings::*field;
    };
    static const Entry s_entries[];
    static void LoadGrades(const KeyValueStore& store, const char* numKey, const char* colorKey,
                           std::vector<uint32_t>& list);
    static void SaveGrades(KeyValueStore& store, const char* numKey, const char* colorKey,
                           const std::vector<uint32_t>& list);
};
