#pragma once
#include <cstdint>
#include <vector>

class ZDocument;
class ZFlowLink;
class ZNetwork;
class ZPumpLink;
class ZValveLink;
struct ZBalanceParams;

// Version 2.1 of the project file: the 2.0 layout with the data of control valves, pump curves,
// minor losses and pressure-driven demand. It is written only when a document uses them, so every
// other document keeps the bytes of 1.0 and 2.0; readers that know only 1.0 and 2.0 refuse it by
// its header version. In a 2.1 file:
// - after the display settings: DWORD CheckValvesClose, LONG DemandModel, DOUBLE MinPressure,
//   DOUBLE RequiredPressure, DOUBLE PressureExponent;
// - classes whose objects carry new data are written with a new schema (each class only when one
//   of its objects needs it): ZConsumeNode 2 (+ DOUBLE NodeDeliveredFlow, with pressure-driven
//   demand), ZPipeLink 2 (+ DOUBLE PipeMinorLoss after the vertices), ZPumpLink 3 (+ LONG
//   PumpCurveKind, DOUBLE PumpSpeed, DOUBLE PumpPower, curve), ZValveLink 2 (+ DOUBLE ValveSetting,
//   DOUBLE ValveDiam, LONG ValveInitStatus, LONG ValveState, curve); a curve is a COUNT n and n
//   pairs DOUBLE flow (m3/s), DOUBLE head (m).
// A file without the settings leaves check valves passing both ways where the network has any
// (the results it was balanced to), and closing where it has none, as in a new network.
class ProjectExtension {
public:
    static constexpr uint32_t Version = 0x00020001;

    struct Schemas {
        uint16_t node = 1, pipe = 1, pump = 2, valve = 1;
        bool settings = false;
        bool timeData = false;     // patterns, controls or time options (ProjectTimeData)
        bool titleBlock = false;   // project, designer or date of reports (ProjectTitleBlock)
        bool crs = false;          // a coordinate reference system (ProjectCrs)
        bool Extended() const
        {
            return settings || timeData || titleBlock || crs || node != 1 || pipe != 1 || pump != 2 || valve != 1;
        }
    };
    static constexpr uint16_t NodeSchema = 2, PipeSchema = 2, PumpSchema = 3, ValveSchema = 2;

    // What the document needs written beyond 2.0.
    static Schemas For(const ZDocument& doc);
    // The option a file without the settings gets (see above).
    static bool CheckValvesCloseWithoutSettings(const ZNetwork& net);
    static bool CheckValvesCloseWithoutSettings(const std::vector<const ZFlowLink*>& links);
    // Whether the object carries data only the new schema has.
    static bool PumpExtended(const ZPumpLink& p);
    static bool ValveExtended(const ZValveLink& v);
    // Whether the parameters differ from what a file without the settings reads as.
    static bool SettingsNeeded(const ZBalanceParams& params, const ZNetwork& net);
};
