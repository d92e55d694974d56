#pragma once
#include "model/ZTimeData.h"
#include "TextIdIndex.h"
#include "TextLineReader.h"
#include "model/PipePoint.h"
#include "model/UnitSystem.h"

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class ZConsumeNode;
class ZFlowNode;
class ZFlowLink;
class ZNetwork;
class ZPipeLink;
class ZTemplateSet;
class ZValveLink;
struct ZBalanceParams;

// One run of the text reader. Objects are collected and connected as their lines come, looked up by
// hash, and handed to the network sorted in one pass at the end, so loading stays O(n log n) whatever
// order the file uses. Until then the importer owns them; an error deletes them all.
class TextImporter {
public:
    // `upperText` is the whole file, already upper-cased.
    TextImporter(std::string_view upperText, std::string fileName, const UnitSystem& units,
                 const ZTemplateSet& templates);
    ~TextImporter();
    TextImporter(const TextImporter&) = delete;
    TextImporter& operator=(const TextImporter&) = delete;

    // Reads everything and fills `net`, which must be empty. Throws ArchiveError.
    // `params` gets the calculation options the file carries (or those of a file without them).
    void Run(ZNetwork& net, ZBalanceParams& params);
    // The TIMEDATA section's data (empty when the file has none), after Run.
    ZTimeData& TimeData() { return m_timeData; }

private:
    enum class Section {
        Node,
        Pipe,
        Pump,
        Valve,
        Tank,
        PipePoint,
        Status,
        Options,
        MinorLoss,
        ValveSetting,
        PumpCurve,
        ValveCurve,
        TimeData
    };
    static const char* SectionName(Section s);

    void ReadSection(Section s);
    void ReadNode();
    void ReadPipe();
    void ReadPump();
    void ReadValve();
    void ReadTank();
    void ReadStatus();
    void ReadOption();
    void ReadMinorLoss();
    void ReadValveSetting();
    // The first line of a curve section: the pump (with kind, speed, power) or valve it belongs to.
    ZFlowLink* CurveOwner(bool pump);
    void CheckComponent(const ZFlowLink& link, int line) const;
    // Ends of a link line: fields 1 and 2, both must name nodes read before.
    void LinkEnds(ZConsumeNode*& start, ZConsumeNode*& end);
    void AddNode(ZConsumeNode* node);
    void AddLink(ZFlowLink* link, ZConsumeNode* start, ZConsumeNode* end);
    void HandOver(ZNetwork& net);
    static void SetAutoLengthFlags(ZNetwork& net);
    void SettleDevices(ZNetwork& net) const;

    GbkView IdField(int i, const char* what) const;
    ZConsumeNode* NodeField(int i) const;
    // A present field must be a number; a missing one (short line) keeps `fallback`.
    double Number(int i, double fallback) const;
    int Integer(int i, int fallback) const;
    // Field i in the category's display unit, in base units; must stay finite after conversion.
    double Converted(int i, const UnitCategory& unit, double fallback) const;
    [[noreturn]] void Fail(const std::string& what) const;
    // Without quoting the current line (at the end of the file there is none).
    [[noreturn]] void FailHere(const std::string& what) const;

    TextLineReader m_reader;
    std::string m_fileName;
    UnitSystem m_units;   // the program's, or what the file's header names
    const ZTemplateSet& m_templates;

    std::vector<ZConsumeNode*> m_nodes;
    std::vector<ZFlowLink*> m_links;
    TextIdIndex<ZConsumeNode> m_nodeById;
    TextIdIndex<ZFlowLink> m_linkById;
    std::vector<PipePoint> m_vertices;
    ZBalanceParams* m_params = nullptr;
    bool m_hasOptions = false;
    ZTimeData m_timeData;
    std::map<const ZValveLink*, int> m_unsetValves;   // control valves still without a setting line
    std::map<const ZValveLink*, int> m_valveLines;    // the last line giving a valve's data
    // Device ends where their NODE lines put them, before connecting moved them to the start.
    std::unordered_map<const ZFlowNode*, PipePoint> m_filePlaces;
};
