#pragma once
#include <map>
#include <unordered_map>
#include <string>
#include <utility>
#include <vector>

// What an EPANET input file says, section by section, in the file's own units and with its own
// identifiers. Every record keeps its line number so later checks can name where a fault is.
struct InpFile {
    struct Junction {
        std::string id;
        double elevation = 0, demand = 0;
        std::string pattern;
        int line = 0;
    };
    struct Reservoir {
        std::string id;
        double head = 0;
        std::string pattern;
        int line = 0;
        bool fromTanks = false;   // a [TANKS] line of identifier and elevation only: EPANET's fixed level
    };
    struct Tank {
        std::string id;
        double elevation = 0, initLevel = 0, minLevel = 0, maxLevel = 0, diameter = 0, minVolume = 0;
        std::string volumeCurve;
        int line = 0;
    };
    struct Pipe {
        std::string id, node1, node2;
        double length = 0, diameter = 0, roughness = 0, minorLoss = 0;
        std::string status;   // upper case: OPEN, CLOSED, CV
        int line = 0;
    };
    struct Pump {
        std::string id, node1, node2;
        std::string headCurve, speedPattern;
        double power = 0, speed = 1;
        bool hasPower = false;
        int line = 0;
    };
    struct Valve {
        std::string id, node1, node2, type;   // type upper case: PRV PSV PBV FCV TCV GPV
        double diameter = 0, setting = 0, minorLoss = 0;
        std::string settingText;   // GPV: a curve identifier
        std::string comment;       // QEN marks what EPANET cannot say here ("QEN:CHECK")
        int line = 0;
    };
    struct Demand {
        std::string junction;
        double base = 0;
        std::string pattern;
        int line = 0;
    };
    struct Status {
        std::string link, value;
        int line = 0;
    };   // value upper case, or a number
    struct Curve {
        std::vector<std::pair<double, double>> points;
        int line = 0;
    };
    struct Pattern {
        std::vector<double> factors;
        int line = 0;
    };
    struct Point {
        double x = 0, y = 0;
    };
    struct Line {
        std::vector<std::string> fields;
        int line = 0;
    };   // as written, read when used

    std::vector<std::string> title;
    std::vector<Junction> junctions;
    std::vector<Reservoir> reservoirs;
    std::vector<Tank> tanks;
    std::vector<Pipe> pipes;
    std::vector<Pump> pumps;
    std::vector<Valve> valves;
    std::vector<Demand> demands;
    std::vector<Status> statuses;
    std::map<std::string, Pattern> patterns;
    std::map<std::string, Curve> curves;
    std::map<std::string, std::string> options;   // upper-case key -> value as written
    std::map<std::string, std::string> times;     // the same for [TIMES]
    std::map<std::string, int> settingLines;      // "OPTIONS UNITS", "TIMES PATTERN START", ... -> line
    std::unordered_map<std::string, Point> coordinates;
    std::unordered_map<std::string, std::vector<Point>> vertices;
    std::vector<Line> controls;
    std::vector<Line> energy;
    std::map<std::string, int> skippedSections;   // section name -> data lines passed over
};
