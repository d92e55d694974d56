#pragma once
#include "InpFile.h"
#include "InpIdMap.h"
#include "InpReport.h"
#include "InpTimeImport.h"
#include "InpUnits.h"
#include "model/CurvePoint.h"
#include "model/ZBalanceParams.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class ZConsumeNode;
class ZDocument;
class ZFlowLink;
class ZNetObject;
class ZTemplateSet;

// Turns a parsed EPANET file into a QEN network at one hour of its demand patterns: junctions
// become flow-known nodes, reservoirs head-known ones, tanks QEN tanks, pipes, pumps and valves
// the nearest QEN objects, with every approximation in the report. QEN keeps a device's two
// nodes at one place and lets a device node carry one pipe besides it, so where an EPANET device
// sits on a busy node, a reservoir or a tank, it gets a node of its own joined by a short,
// practically lossless connector pipe.
class InpImporter {
public:
    InpImporter(const InpFile& file, std::string fileName, const ZTemplateSet& templates, double hour);
    ~InpImporter();

    // Fills `doc` (which must be fresh) or throws ArchiveError naming the line; on error the
    // document stays empty.
    void Run(ZDocument& doc);
    const InpReport& Report() const { return m_report; }
    const InpIdMap& IdMap() const { return m_ids; }

    // Connector pipes: length and diameter in metres and Hazen-Williams coefficient.
    static constexpr double kConnectorLength = 0.01;
    static constexpr double kConnectorDiameter = 1.0;
    static constexpr double kConnectorCoefficient = 150.0;

private:
    struct NodeInfo {
        ZConsumeNode* node = nullptr;
        int pipes = 0, devices = 0;
        bool fixedHead = false;
        bool hasXY = false;
    };

    [[noreturn]] void Fail(int line, const std::string& what) const;
    int LineOf(const std::string& setting) const;   // the line of "OPTIONS UNITS" and the like, 0 if none
    void CheckFinite(const ZNetObject& made, int line, const char* kind, const std::string& epanetId) const;
    void ReadOptions();
    void ReadDemandModel();
    void ReportUnknownReferences(const std::unordered_map<std::string, int>& nodes,
                                 const std::unordered_map<std::string, int>& links);
    double Multiplier(const std::string& pattern, int line, bool useDefault) const;
    void CheckEveryHour(double value, const std::string& pattern, bool useDefault, double toSi, int line,
                        const char* kind, const std::string& epanetId, const char* what) const;
    void CountLinks();
    void MakeJunctions();
    void MakeReservoirs();
    void MakeTanks();
    void MakePipes();
    // A curve of [CURVES] in base units; the file's line is named when it does not exist.
    Curve CurveOf(const std::string& id, int line, const char* what, double flowScale, double headScale) const;
    void SetPumpCurve(class ZPumpLink& pump, const InpFile::Pump& p);
    void MakePumps();
    void MakeValves();
    void PlaceUnplacedNodes();
    void HandOver(ZDocument& doc);

    ZConsumeNode* NewNode(const std::string& qenId, double x, double y);
    NodeInfo& NodeOf(const std::string& epanetId, int line);
    // The node a device's end may use: the EPANET node itself when QEN's device rules allow,
    // else a node of its own at `x`, `y` joined to it by a connector pipe.
    ZConsumeNode* DeviceEnd(const std::string& deviceId, NodeInfo& info, bool outlet, const NodeInfo& inlet);
    void AddLink(ZFlowLink* link, ZConsumeNode* start, ZConsumeNode* end);
    ZFlowLink* NewConnector(const std::string& base, const std::string& suffix, ZConsumeNode* a, ZConsumeNode* b);
    void SetPipeRoughness(class ZPipeLink& pipe, const InpFile::Pipe& p);

    const InpFile& m_file;
    std::string m_fileName;
    const ZTemplateSet& m_templates;
    double m_hour;
    InpUnits m_units;
    std::string m_headloss = "H-W";
    double m_demandMultiplier = 1.0;
    std::string m_defaultPattern;
    double m_patternStep = 3600.0, m_patternStart = 0.0;
    double m_viscosity = 1.1e-5 * InpUnits::kFoot * InpUnits::kFoot;   // water at 20 C, m2/s

    ZBalanceParams m_params;   // the options EPANET has beside QEN's defaults
    InpIdMap m_ids;
    InpReport m_report;
    std::unordered_map<std::string, NodeInfo> m_nodeInfo;   // by EPANET identifier
    InpTimeImport::Names m_timeNames;
    std::vector<std::unique_ptr<ZConsumeNode>> m_nodes;
    std::vector<std::unique_ptr<ZFlowLink>> m_links;
};
