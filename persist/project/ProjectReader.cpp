#include "ProjectReader.h"

#include "model/MessageText.h"
#include "model/NumberFormat.h"
#include "persist/ComponentCheck.h"
#include "ProjectCrs.h"
#include "ProjectTimeData.h"
#include "ProjectTitleBlock.h"
#include "persist/ProjectExtension.h"
#include "ProjectWriter.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
struct ClassInfo {
    const char* name;
    uint16_t schema;
    bool versionable;
};
// Indexed by ProjectReader::ClassId.
constexpr ClassInfo kClasses[] = {
    {"ZConsumeNode", 1, false}, {"ZPipeLink", 1, false},  {"ZPumpLink", 2, true},  {"ZValveLink", 1, false},
    {"ZTankLink", 1, false},    {"ZNamedView", 1, false}, {"ZNetBkDib", 1, false},
};
constexpr size_t MinObjectBytes = 2;   // the smallest reference
constexpr size_t MinNodeFields = 4 + 4 + 4 + 2 + 6 * 8;
constexpr size_t MinLinkFields = 4 + 4 + 4 + 4 * 2 + 2 * 8 + 4;
}   // namespace

ProjectReader::ProjectReader(const uint8_t* data, size_t size, std::string fileName)
    : m_ar(data, size, std::move(fileName))
{
    m_table.emplace_back();   // index 0 is null
}

ProjectReader::~ProjectReader() = default;

void ProjectReader::Read(ZDocument& doc)
{
    doc.Reset();
    const uint32_t version = ReadHeader();
    ViewExtent e;
    e.left = Finite("left", "extents");
    e.right = Finite("right", "extents");
    e.bottom = Finite("bottom", "extents");
    e.top = Finite("top", "extents");
    ZDrawSettings ds = doc.GetDrawSettings();
    ReadDrawSettings(ds);
    if (const std::string problem = ProjectWriter::SettingsProblem(ds); !problem.empty())
        m_ar.Fail(ArchiveError::BadIndex, problem);
    const ZBalanceParams defaults;
    ds.Params.DemandModel = defaults.DemandModel;
    ds.Params.MinPressure = defaults.MinPressure;
    ds.Params.RequiredPressure = defaults.RequiredPressure;
    ds.Params.PressureExponent = defaults.PressureExponent;
    if (m_version == ProjectExtension::Version)
        ReadExtendedSettings(ds.Params);
    ReadNetwork();
    Verify();
    if (version >= ZDocument::HighestVersion)
        ReadViewsAndBitmap(doc);
    ZTimeData timeData;
    ZProjectTitle title;
    std::string crs;
    // The extension blocks, each at most once, in the order they are written: the time data, the
    // title block, the coordinate system.
    int read = 0;   // the last block read: 1, 2, 3 in that order
    while (m_version == ProjectExtension::Version && m_ar.Remaining() >= 4) {
        const uint32_t tag = m_ar.Dword();
        if (tag == ProjectTimeData::Tag && read < 1) {
            ProjectTimeData::Read(m_ar, timeData);
            read = 1;
        } else if (tag == ProjectTitleBlock::Tag && read < 2) {
            ProjectTitleBlock::Read(m_ar, title);
            read = 2;
        } else if (tag == ProjectCrs::Tag && read < 3) {
            crs = ProjectCrs::Read(m_ar);
            read = 3;
        } else {
            m_ar.Fail(ArchiveError::BadIndex,
                      std::to_string(m_ar.Remaining() + 4) + " bytes after the end of the archive");
        }
    }
    // A damaged count can end the archive early and silently drop everything after it.
    if (m_ar.Remaining() != 0)
        m_ar.Fail(ArchiveError::BadIndex, std::to_string(m_ar.Remaining()) + " bytes after the end of the archive");
    doc.SetExtents(e);
    doc.GetDrawSettings() = std::move(ds);
    doc.SetFileVersion(version);
    HandOver(doc);
    doc.GetTimeData() = std::move(timeData);
    doc.GetProjectTitle() = std::move(title);
    doc.SetCrs(std::move(crs));
    if (version != ProjectExtension::Version)
        doc.GetDrawSettings().Params.CheckValvesClose =
            ProjectExtension::CheckValvesCloseWithoutSettings(doc.GetNetwork());
}

void ProjectReader::ReadExtendedSettings(ZBalanceParams& p)
{
    const std::string owner = "balancing parameters";
    p.CheckValvesClose = m_ar.Dword() != 0;
    p.DemandModel = m_ar.Long();
    p.MinPressure = Finite("MinPressure", owner);
    p.RequiredPressure = Finite("RequiredPressure", owner);
    p.PressureExponent = Finite("PressureExponent", owner);
    if (const std::string problem = ComponentCheck::ParamsProblem(p); !problem.empty())
        m_ar.Fail(ArchiveError::BadIndex, owner + ": " + problem);
}

Curve ProjectReader::ReadCurve(const char* field, const std::string& owner)
{
    const uint32_t n = m_ar.Count();
    m_ar.NeedItems(n, 16);
    Curve c(n);
    for (CurvePoint& pt : c) {
        pt.flow = Finite(field, owner);
        pt.head = Finite(field, owner);
    }
    return c;
}

uint32_t ProjectReader::ReadHeader()
{
    m_version = ReadVersion();
    return m_version;
}

uint32_t ProjectReader::ReadVersion()
{
    if (m_ar.Remaining() < ProjectWriter::HeaderSize || m_ar.Dword() != ProjectWriter::Magic) {
        m_ar.Seek(0);   // no header: a version 1.0 file from its first byte
        return ZDocument::Version1;
    }
    const uint32_t version = m_ar.Dword();
    if (version != ZDocument::Version1 && version != ZDocument::HighestVersion && version != ProjectExtension::Version)
        m_ar.Fail(ArchiveError::BadIndex,
                  "file version " + ZDocument::VersionText(version) + " (only 1.0, 2.0 and 2.1 exist)");
    m_ar.Seek(32);
    const uint32_t skip = m_ar.Dword();
    m_ar.Seek(ProjectWriter::HeaderSize);
    m_ar.Take(skip);
    return version;
}

void ProjectReader::ReadDrawSettings(ZDrawSettings& ds)
{
    for (std::vector<double>* t :
         {&ds.NodeElevGrades, &ds.NodeFlowGrades, &ds.NodeFreeHeadGrades, &ds.NodeHeadGrades, &ds.PipeDiamGrades,
          &ds.PipeFlowGrades, &ds.PipeHLossGrades, &ds.PipeSlopeGrades, &ds.PipeVeloGrades}) {
        const uint32_t n = m_ar.Count();
        m_ar.NeedItems(n, 8);
        t->resize(n);
        for (double& v : *t)
            v = Finite("grade table", "display settings");
    }
    ZBalanceParams& p = ds.Params;
    p.CheckFlags = m_ar.Dword();
    p.MaxIterations = m_ar.Long();
    const std::string params = "balancing parameters";
    p.ParamA = Finite("ParamA", params);
    p.ParamB = Finite("ParamB", params);
    p.FlowTolerance = Finite("FlowTolerance", params);
    p.HeadTolerance = Finite("HeadTolerance", params);
    p.AccidentFactor = Finite("AccidentFactor", params);
    ds.Balanced = m_ar.Dword();
    ds.SpareWord1 = m_ar.Dword();
    ds.SpareWord2 = m_ar.Dword();
    ds.NodeGradeOn = m_ar.Dword();
    ds.PipeGradeOn = m_ar.Dword();
    ds.SpareWord3 = m_ar.Dword();
    ds.CalcCase = m_ar.Long();
    ds.NodeGradeMode = m_ar.Long();
    ds.PipeGradeMode = m_ar.Long();
    ds.ContourKind = m_ar.Long();
    ds.ContourOption = m_ar.Dword();
    ds.ContourInterval = Finite("ContourInterval", "display settings");
}

double ProjectReader::Finite(const char* field, const std::string& owner)
{
    const double v = m_ar.Double();
    if (!std::isfinite(v))
        m_ar.Fail(ArchiveError::BadIndex, owner + ": " + field + " is " + NumberFormat::G(v) + ", not a finite number");
    return v;
}

std::string ProjectReader::Describe(const ZNetObject& obj)
{
    const char* kind = "link";
    switch (obj.GetKind()) {
    case ZNetObject::Kind::Pipe:
        kind = "pipe";
        break;
    case ZNetObject::Kind::Pump:
        kind = "pump";
        break;
    case ZNetObject::Kind::Valve:
        kind = "valve";
        break;
    case ZNetObject::Kind::Tank:
        kind = "tank";
        break;
    default:
        kind = obj.IsNode() ? "node" : "link";
        break;
    }
    return std::string(kind) + " " + MessageText::Quote(obj.IdView());
}

ProjectReader::EntryKind ProjectReader::KindOf(ClassId c)
{
    switch (c) {
    case ConsumeNode:
        return NodeEntry;
    case NamedView:
        return ViewEntry;
    case NetBkDib:
        return DibEntry;
    default:
        return LinkEntry;
    }
}

namespace {
const char* KindName(int kind)
{
    switch (kind) {
    case 2:
        return "a node";   // EntryKind values
    case 3:
        return "a link";
    case 4:
        return "a named view";
    default:
        return "a background bitmap";
    }
}
}   // namespace

ProjectReader::Ref ProjectReader::ReadRef(EntryKind expected)
{
    const uint16_t tag = m_ar.Word();
    const Entry* cls = nullptr;
    if (tag == 0xFFFF) {
        const uint16_t schema = m_ar.Word();
        const uint16_t len = m_ar.Word();
        if (len >= 64)
            m_ar.Fail(ArchiveError::BadClass, "class name of " + std::to_string(len) + " bytes");
        const uint8_t* name = m_ar.Take(len);
        int found = -1;
        for (int c = 0; c < ClassCount; ++c)
            if (std::strlen(kClasses[c].name) == len && std::memcmp(kClasses[c].name, name, len) == 0)
                found = c;
        if (found < 0)
            m_ar.Fail(ArchiveError::BadClass,
                      "unknown class " +
                          MessageText::Quote(GbkView(std::string_view(reinterpret_cast<const char*>(name), len))));
        if (!kClasses[found].versionable && schema != kClasses[found].schema && schema != ExtendedSchema(found))
            m_ar.Fail(ArchiveError::BadSchema, std::string(kClasses[found].name) + " schema " + std::to_string(schema));
        m_table.push_back({ClassEntry, static_cast<ClassId>(found), schema, nullptr});
        cls = &m_table.back();
    } else {
        const uint32_t d = tag == 0x7FFF ? m_ar.Dword() : ((tag & 0x8000u) << 16) | (tag & 0x7FFFu);
        if (d & 0x80000000u) {
            const uint32_t c = d & 0x7FFFFFFFu;
            if (c == 0 || c >= m_table.size() || m_table[c].kind != ClassEntry)
                m_ar.Fail(ArchiveError::BadIndex, "class index " + std::to_string(c) + " not yet defined");
            cls = &m_table[c];
        } else {
            if (d == 0)
                return {};
            if (d >= m_table.size() || m_table[d].kind == ClassEntry)
                m_ar.Fail(ArchiveError::BadIndex, "object index " + std::to_string(d) + " not yet defined");
            if (m_table[d].kind != expected)
                m_ar.Fail(ArchiveError::BadClass, std::string(KindName(expected)) + " was expected");
            return {m_table[d].kind, m_table[d].ptr, false, m_table[d].schema};
        }
    }
    // A new object of class `cls`: entered in the table before its fields are read.
    const ClassId c = cls->cls;
    const uint16_t schema = cls->schema;
    if (KindOf(c) != expected)
        m_ar.Fail(ArchiveError::BadClass, std::string(KindName(expected)) + " was expected, not " + kClasses[c].name);
    void* ptr = nullptr;
    switch (c) {
    case ConsumeNode:
        m_ar.NeedItems(1, MinNodeFields);
        m_nodes.push_back(std::make_unique<ZConsumeNode>());
        ptr = m_nodes.back().get();
        break;
    case PipeLink:
        m_ar.NeedItems(1, MinLinkFields);
        m_links.push_back(std::make_unique<ZPipeLink>());
        ptr = m_links.back().get();
        break;
    case PumpLink:
        m_ar.NeedItems(1, MinLinkFields);
        m_links.push_back(std::make_unique<ZPumpLink>());
        ptr = m_links.back().get();
        break;
    case ValveLink:
        m_ar.NeedItems(1, MinLinkFields);
        m_links.push_back(std::make_unique<ZValveLink>());
        ptr = m_links.back().get();
        break;
    case TankLink:
        m_ar.NeedItems(1, MinLinkFields);
        m_links.push_back(std::make_unique<ZTankLink>());
        ptr = m_links.back().get();
        break;
    case NamedView:
        ptr = &m_viewObjects.emplace_back();
        break;
    default:
        ptr = nullptr;
        break;   // the bitmap is read by its one caller
    }
    const EntryKind kind = KindOf(c);
    m_table.push_back({kind, c, schema, ptr});
    return {kind, ptr, true, schema};
}

ZNetObject* ProjectReader::ReadNetworkRef(EntryKind expected)
{
    const Ref r = ReadRef(expected);
    if (r.kind == NullEntry)
        return nullptr;
    auto* root = static_cast<ZNetObject*>(r.ptr);
    if (!r.isNew)
        return root;
    ReadHead(*root);
    m_stack.push_back({root, r.schema, 0});
    while (!m_stack.empty()) {
        Frame& f = m_stack.back();
        if (f.next < RefCount(*f.obj)) {
            ZNetObject* owner = f.obj;
            const int slot = f.next++;
            const Ref c = ReadRef(RefKind(*owner, slot));
            auto* child = static_cast<ZNetObject*>(c.ptr);
            SetRef(*owner, slot, child);
            if (c.isNew) {
                ReadHead(*child);
                m_stack.push_back({child, c.schema, 0});   // f is not used after this
            }
        } else {
            ReadTail(*f.obj, f.schema);
            m_stack.pop_back();
        }
    }
    return root;
}

int ProjectReader::RefCount(const ZNetObject& obj)
{
    return obj.IsNode() ? 1 : 4;
}

ProjectReader::EntryKind ProjectReader::RefKind(const ZNetObject& obj, int slot)
{
    return obj.IsNode() || slot >= 2 ? LinkEntry : NodeEntry;
}

void ProjectReader::SetRef(ZNetObject& obj, int slot, ZNetObject* target)
{
    if (obj.IsNode()) {
        static_cast<ZNetNode&>(obj).SetFirstLink(static_cast<ZNetLink*>(target));
        return;
    }
    auto& l = static_cast<ZNetLink&>(obj);
    switch (slot) {
    case 0:
        l.SetStartNode(static_cast<ZNetNode*>(target));
        break;
    case 1:
        l.SetEndNode(static_cast<ZNetNode*>(target));
        break;
    case 2:
        l.SetNextAtStart(static_cast<ZNetLink*>(target));
        break;
    default:
        l.SetNextAtEnd(static_cast<ZNetLink*>(target));
        break;
    }
}

void ProjectReader::ReadHead(ZNetObject& obj)
{
    const uint32_t n = m_ar.Dword();
    if (n > static_cast<uint32_t>(ZNetObject::MaxIdLength))
        m_ar.Fail(ArchiveError::Generic, "identifier of " + std::to_string(n) + " bytes (at most 19)");
    const uint8_t* id = m_ar.Take(n);
    if (!obj.SetId(GbkView(std::string_view(reinterpret_cast<const char*>(id), n))))
        m_ar.Fail(ArchiveError::Generic, "identifier holds a zero byte");
    obj.SetFlags(m_ar.Dword() & ~qen::FLAG_TRANSIENT);
    m_ar.Long();   // the stored Index: positions are rebuilt from the arrays
}

void ProjectReader::ReadTail(ZNetObject& obj, uint16_t schema)
{
    if (obj.IsNode()) {
        auto& n = static_cast<ZFlowNode&>(obj);
        const std::string owner = Describe(obj);
        n.X = Finite("X", owner);
        n.Y = Finite("Y", owner);
        n.NodeFlow = Finite("NodeFlow", owner);
        n.NodeFireFlow = Finite("NodeFireFlow", owner);
        n.NodeGrunElev = Finite("NodeGrunElev", owner);
        n.NodeHydrElev = Finite("NodeHydrElev", owner);
        if (schema == ProjectExtension::NodeSchema)
            n.NodeDeliveredFlow = Finite("NodeDeliveredFlow", owner);
        return;
    }
    const std::string owner = Describe(obj);
    auto& l = static_cast<ZFlowLink&>(obj);
    l.Flow = Finite("Flow", owner);
    l.Resistance = Finite("Resistance", owner);
    if (obj.GetKind() == ZNetObject::Kind::Pipe) {
        auto& p = static_cast<ZPipeLink&>(obj);
        p.PipeType = m_ar.Long();
        p.PipeParallel = m_ar.Long();
        p.PipeLength = Finite("PipeLength", owner);
        p.PipeInDiam = Finite("PipeInDiam", owner);
        p.PipeSideType = m_ar.Long();
        p.PipeDate = m_ar.Dword();
        p.PipeRougCeof = Finite("PipeRougCeof", owner);
        p.PipeDiam = Finite("PipeDiam", owner);
        const int32_t v = m_ar.Long();
        if (v >= 1) {
            m_ar.NeedItems(static_cast<uint64_t>(v), 16);
            std::vector<PipePoint> pts(static_cast<size_t>(v));
            for (PipePoint& pt : pts) {
                pt.x = Finite("vertex x", owner);
                pt.y = Finite("vertex y", owner);
            }
            p.SetVertices(std::move(pts));
        }
        if (schema == ProjectExtension::PipeSchema)
            p.PipeMinorLoss = Finite("PipeMinorLoss", owner);
        CheckComponent(p, owner);
        return;
    }
    const int32_t symbol = m_ar.Long();
    switch (obj.GetKind()) {
    case ZNetObject::Kind::Pump: {
        if (schema != 1 && schema != 2 && schema != ExtendedSchema(PumpLink))
            m_ar.Fail(ArchiveError::BadIndex, "ZPumpLink schema " + std::to_string(schema));
        auto& p = static_cast<ZPumpLink&>(obj);
        p.SetPumpType(m_ar.Long());
        p.PumpOpen = m_ar.Dword() != 0;
        p.PumpStaticH = Finite("PumpStaticH", owner);
        p.PumpSCoef = Finite("PumpSCoef", owner);
        p.PumpRatedRotV = Finite("PumpRatedRotV", owner);
        p.PumpOperatedRotV = Finite("PumpOperatedRotV", owner);
        p.PumpVacuum = Finite("PumpVacuum", owner);
        p.PumpEfficiency = schema >= 2 ? Finite("PumpEfficiency", owner) : 1.0;
        if (schema == ProjectExtension::PumpSchema) {
            p.PumpCurveKind = m_ar.Long();
            p.PumpSpeed = Finite("PumpSpeed", owner);
            p.PumpPower = Finite("PumpPower", owner);
            p.PumpCurve = ReadCurve("PumpCurve", owner);
        }
        break;
    }
    case ZNetObject::Kind::Valve: {
        auto& v = static_cast<ZValveLink&>(obj);
        v.ValveOpen = m_ar.Dword() != 0;
        v.SetValveType(m_ar.Long());
        v.ValveHLess = Finite("ValveHLess", owner);
        v.ValveSCoef = Finite("ValveSCoef", owner);
        if (schema == ProjectExtension::ValveSchema) {
            v.ValveSetting = Finite("ValveSetting", owner);
            v.ValveDiam = Finite("ValveDiam", owner);
            v.ValveInitStatus = m_ar.Long();
            v.ValveState = m_ar.Long();
            v.ValveCurve = ReadCurve("ValveCurve", owner);
        } else if (v.IsControlValve() || v.GetValveType() < 0) {
            // Only the valve schema of 2.1 files says what a control valve holds.
            m_ar.Fail(ArchiveError::BadIndex, owner + ": ValveType " + std::to_string(v.GetValveType()) +
                                                  " is not a valve type of this file's version");
        }
        break;
    }
    default: {
        auto& t = static_cast<ZTankLink&>(obj);
        t.SetTankType(m_ar.Long());
        t.TankArea = Finite("TankArea", owner);
        t.TankCurH = Finite("TankCurH", owner);
        t.TankMinHead = Finite("TankMinHead", owner);
        t.TankMaxHead = Finite("TankMaxHead", owner);
        t.TankBottomElev = Finite("TankBottomElev", owner);
        break;
    }
    }
    // Stored apart from the type: the type setters above must not overrule it.
    static_cast<ZDeviceLink&>(obj).SetSymbolIndex(symbol);
    CheckComponent(l, owner);
}

uint16_t ProjectReader::ExtendedSchema(int classId) const
{
    if (m_version != ProjectExtension::Version)
        return 0;
    switch (classId) {
    case ConsumeNode:
        return ProjectExtension::NodeSchema;
    case PipeLink:
        return ProjectExtension::PipeSchema;
    case PumpLink:
        return ProjectExtension::PumpSchema;
    case ValveLink:
        return ProjectExtension::ValveSchema;
    default:
        return 0;
    }
}

void ProjectReader::CheckComponent(const ZFlowLink& link, const std::string& owner)
{
    if (const std::string problem = ComponentCheck::Problem(link); !problem.empty())
        m_ar.Fail(ArchiveError::BadIndex, owner + ": " + problem);
}

void ProjectReader::ReadNetwork()
{
    const uint32_t nodeCount = m_ar.Count();
    m_ar.NeedItems(nodeCount, MinObjectBytes);
    m_nodeArray.reserve(nodeCount);
    for (uint32_t i = 0; i < nodeCount; ++i) {
        ZNetObject* n = ReadNetworkRef(NodeEntry);
        if (!n)
            m_ar.Fail(ArchiveError::BadClass, "empty entry in the node array");
        m_nodeArray.push_back(static_cast<ZConsumeNode*>(n));
    }
    const uint32_t linkCount = m_ar.Count();
    m_ar.NeedItems(linkCount, MinObjectBytes);
    m_linkArray.reserve(linkCount);
    for (uint32_t i = 0; i < linkCount; ++i) {
        ZNetObject* l = ReadNetworkRef(LinkEntry);
        if (!l)
            m_ar.Fail(ArchiveError::BadClass, "empty entry in the link array");
        m_linkArray.push_back(static_cast<ZFlowLink*>(l));
    }
}

void ProjectReader::ReadViewsAndBitmap(ZDocument& doc)
{
    const uint32_t n = m_ar.Count();
    m_ar.NeedItems(n, MinObjectBytes);
    std::vector<ZNamedView> views;
    for (uint32_t i = 0; i < n; ++i) {
        const Ref r = ReadRef(ViewEntry);
        if (r.kind == NullEntry)
            continue;
        auto* v = static_cast<ZNamedView*>(r.ptr);
        if (r.isNew) {
            v->ViewName = GbkString(m_ar.String());
            const std::string owner = "named view " + MessageText::Quote(v->ViewName);
            v->ViewRect.left = Finite("left", owner);
            v->ViewRect.bottom = Finite("bottom", owner);
            v->ViewRect.right = Finite("right", owner);
            v->ViewRect.top = Finite("top", owner);
        }
        views.push_back(*v);
    }
    doc.GetNamedViews() = std::move(views);

    const Ref r = ReadRef(DibEntry);
    if (r.kind == NullEntry)
        return;
    if (!r.isNew)
        m_ar.Fail(ArchiveError::BadClass, "a background bitmap was expected");
    auto dib = std::make_unique<ZNetBkDib>();
    dib->BkLeft = Finite("BkLeft", "background bitmap");
    dib->BkTop = Finite("BkTop", "background bitmap");
    dib->BkWidth = Finite("BkWidth", "background bitmap");
    dib->BkHeight = Finite("BkHeight", "background bitmap");
    // The image: a BMP file whose header states its size. Anything else, or an image cut short,
    // loads as no bitmap, and the rest of the file counts as that damaged image; nothing is
    // allocated before the stated size is known to be in the file.
    const auto unusable = [this] { m_ar.Seek(m_ar.Position() + m_ar.Remaining()); };
    if (m_ar.Remaining() < 14)
        return unusable();
    const uint8_t* bmp = m_ar.Take(0);
    const uint32_t size = ZNetBkDib::StatedSize(bmp);
    if (size < 14 || size > m_ar.Remaining())
        return unusable();
    if (!dib->SetBytes(std::vector<uint8_t>(bmp, bmp + size)))
        return unusable();
    m_ar.Take(size);
    doc.SetBkDib(std::move(dib));
}

void ProjectReader::Verify()
{
    // Every object reached must stand in its array exactly once, or the network would not own it.
    for (size_t i = 0; i < m_nodeArray.size(); ++i) {
        if (m_nodeArray[i]->GetIndex() != -1)
            m_ar.Fail(ArchiveError::Generic, Describe(*m_nodeArray[i]) + " stored twice");
        m_nodeArray[i]->SetIndex(static_cast<int32_t>(i));
    }
    for (size_t i = 0; i < m_linkArray.size(); ++i) {
        if (m_linkArray[i]->GetIndex() != -1)
            m_ar.Fail(ArchiveError::Generic, Describe(*m_linkArray[i]) + " stored twice");
        m_linkArray[i]->SetIndex(static_cast<int32_t>(i));
    }
    if (m_nodeArray.size() != m_nodes.size() || m_linkArray.size() != m_links.size())
        m_ar.Fail(ArchiveError::Generic, "objects outside the node and link arrays");

    // Each link joins two distinct nodes and appears once in each end's incidence list.
    std::vector<uint8_t> seen(m_linkArray.size(), 0);   // bit 1: in the start list, bit 2: in the end list
    for (ZFlowLink* l : m_linkArray)
        if (!l->StartNode() || !l->EndNode() || l->StartNode() == l->EndNode())
            m_ar.Fail(ArchiveError::Generic, Describe(*l) + " does not join two nodes");
    for (ZConsumeNode* n : m_nodeArray) {
        for (ZNetLink* l = n->FirstLink(); l; l = l->NextLinkAt(n)) {
            uint8_t& s = seen[static_cast<size_t>(l->GetIndex())];
            const uint8_t bit = l->StartNode() == n ? 1 : l->EndNode() == n ? 2 : 0;
            if (bit == 0 || (s & bit))
                m_ar.Fail(ArchiveError::Generic, "broken link list at " + Describe(*n));
            s |= bit;
        }
    }
    for (size_t i = 0; i < seen.size(); ++i)
        if (seen[i] != 3)
            m_ar.Fail(ArchiveError::Generic, Describe(*m_linkArray[i]) + " missing from a node");

    // The arrays are sorted by identifier; restore the order if a writer did not keep it.
    auto less = [](const ZNetObject* a, const ZNetObject* b) {
        return ZSortedObArray<ZNetObject>::Compare(a->IdView(), b->IdView()) < 0;
    };
    auto sortUnique = [&](auto& array, const char* what) {
        if (!std::is_sorted(array.begin(), array.end(), less))
            std::stable_sort(array.begin(), array.end(), less);
        for (size_t i = 1; i < array.size(); ++i)
            if (!less(array[i - 1], array[i]))
                m_ar.Fail(ArchiveError::Generic,
                          std::string(what) + " identifier " + MessageText::Quote(array[i]->IdView()) + " used twice");
    };
    sortUnique(m_nodeArray, "node");
    sortUnique(m_linkArray, "link");
}

void ProjectReader::HandOver(ZDocument& doc)
{
    ZNetwork& net = doc.GetNetwork();
    for (ZConsumeNode* n : m_nodeArray) {
        n->SetIndex(-1);
        net.AppendNodeSorted(n);
    }
    for (ZFlowLink* l : m_linkArray) {
        l->SetIndex(-1);
        net.AppendLinkSorted(l);
    }
    for (auto& n : m_nodes)
        n.release();
    for (auto& l : m_links)
        l.release();
}
