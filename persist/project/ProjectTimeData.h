#pragma once
#include <cstdint>

class ArchiveReader;
class ArchiveWriter;
class ZTimeData;

// The time data of a version 2.1 project file, after the named views and the background image,
// only when the document has any (other files end where they did). Layout: DWORD Tag; DOUBLE
// Duration, HydraulicStep, PatternStep, PatternStart, ReportStep, ReportStart, StartClock
// (seconds); STRING DefaultPattern; DOUBLE EnergyPrice; STRING PricePattern; DOUBLE
// PumpEfficiency (%); COUNT patterns, each STRING id, COUNT n, n DOUBLE factors; COUNT demands,
// each STRING node, DOUBLE base (m3/s), STRING pattern; COUNT pump patterns, each STRING pump,
// STRING pattern; COUNT tank curves, each STRING tank, COUNT n, n pairs DOUBLE level (m), DOUBLE
// volume (m3); COUNT controls, each STRING link, LONG action, DOUBLE setting, LONG trigger,
// DOUBLE time (s), STRING node, DOUBLE value (m). Readers that stop at the image refuse the
// bytes after it.
class ProjectTimeData {
public:
    static constexpr uint32_t Tag = 0x454D4954;   // "TIME"

    static void Write(ArchiveWriter& ar, const ZTimeData& data);
    // After the tag. Throws ArchiveError naming the object and field of data it refuses.
    static void Read(ArchiveReader& ar, ZTimeData& data);
};
