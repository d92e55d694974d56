#include "ProjectWriter.h"

#include "ProjectCrs.h"
#include "ProjectTimeData.h"
#include "ProjectTitleBlock.h"
#include "model/NumberFormat.h"
#include "persist/ArchiveError.h"
#include "persist/NetworkWriteCheck.h"
#include "persist/ComponentCheck.h"
#include "model/MessageText.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

namespace {
// Rough bytes per object, so large networks are written without regrowing the buffer.
constexpr size_t NodeBytes = 80;
constexpr size_t LinkBytes = 120;
}   // namespace

ProjectWriter::ProjectWriter(const ZDocument& doc)
    : m_doc(doc), m_ar(4096 + NodeBytes * static_cast<size_t>(doc.GetNetwork().NodeCount()) +
                       LinkBytes * static_cast<size_t>(doc.GetNetwork().LinkCount())),
      m_nodeIndex(static_cast<size_t>(doc.GetNetwork().NodeCount()), 0),
      m_linkIndex(static_cast<size_t>(doc.GetNetwork().LinkCount()), 0)
{
}

std::string ProjectWriter::SettingsProblem(const ZDrawSettings& ds)
{
    const ZBalanceParams& p = ds.Params;
    const auto outOfRange = [](const char* field, const std::string& value, const char* range) {
        return std::string("stored ") + field + " " + value + " is outside " + range;
    };
    if (p.MaxIterations < -1)
        return outOfRange("MaxIterations", std::to_string(p.MaxIterations), "-1 (no limit) and above");
    if (!(p.HeadTolerance > 0.0))
        return outOfRange("HeadTolerance", NumberFormat::G(p.HeadTolerance), "values above 0");
    if (!(p.FlowTolerance >= 0.0))
        return outOfRange("FlowTolerance", NumberFormat::G(p.FlowTolerance), "0 and above");
    if (!(p.AccidentFactor >= 0.0 && p.AccidentFactor <= 1.0))
        return outOfRange("AccidentFactor", NumberFormat::G(p.AccidentFactor), "0..1");
    if (ds.CalcCase < 0 || ds.CalcCase > 2)
        return outOfRange("CalcCase", std::to_string(ds.CalcCase), "0..2");
    if (ds.NodeGradeMode < 0 || ds.NodeGradeMode > 3)
        return outOfRange("NodeGradeMode", std::to_string(ds.NodeGradeMode), "0..3");
    if (ds.PipeGradeMode < 0 || ds.PipeGradeMode > 4)
        return outOfRange("PipeGradeMode", std::to_string(ds.PipeGradeMode), "0..4");
    if (ds.ContourKind < 0 || ds.ContourKind > 1)
        return outOfRange("ContourKind", std::to_string(ds.ContourKind), "0..1");
    if (!(ds.ContourInterval > 0.0))
        return outOfRange("ContourInterval", NumberFormat::G(ds.ContourInterval), "values above 0");
    return {};
}

std::string ProjectWriter::Write()
{
    if (const std::string problem = SettingsProblem(m_doc.GetDrawSettings()); !problem.empty())
        throw ArchiveError(ArchiveError::Generic, {}, problem + "; not saved");
    if (const std::string problem = NetworkWriteCheck::Problem(m_doc.GetNetwork()); !problem.empty())
        throw ArchiveError(ArchiveError::Generic, {}, problem);
    for (const ZFlowLink* l : m_doc.GetNetwork().Links())
        if (const std::string problem = ComponentCheck::Problem(*l); !problem.empty())
            throw ArchiveError(ArchiveError::Generic, {},
                               MessageText::Quote(l->IdView()) + ": " + problem + "; not saved");
    if (const ZTimeData::Fault f = m_doc.GetTimeData().Check(); !f.Empty())
        throw ArchiveError(ArchiveError::Generic, {}, "time data: " + f.Text() + "; not saved");
    m_schemas = ProjectExtension::For(m_doc);
    const bool extended = m_schemas.Extended();
    if (extended)
        if (const std::string problem = ComponentCheck::ParamsProblem(m_doc.GetDrawSettings().Params); !problem.empty())
            throw ArchiveError(ArchiveError::Generic, {}, problem + "; not saved");
    // A 1.0 document that declined the upgrade stays 1.0 unless it holds what only 2.1 can carry.
    const uint32_t version = extended                                       ? ProjectExtension::Version
                             : m_doc.GetFileVersion() > ZDocument::Version1 ? ZDocument::HighestVersion
                                                                            : ZDocument::Version1;
    if (version > ZDocument::Version1)
        WriteHeader(version);
    WriteExtents();
    WriteDrawSettings(m_doc.GetDrawSettings());
    if (extended)
        WriteExtendedSettings(m_doc.GetDrawSettings().Params);
    WriteNetwork();
    if (version >= ZDocument::HighestVersion)
        WriteViewsAndBitmap();
    if (m_schemas.timeData)
        ProjectTimeData::Write(m_ar, m_doc.GetTimeData());
    if (m_schemas.titleBlock)
        ProjectTitleBlock::Write(m_ar, m_doc.GetProjectTitle());
    if (m_schemas.crs)
        ProjectCrs::Write(m_ar, m_doc.GetCrs());
    return std::move(m_ar.Bytes());
}

void ProjectWriter::WriteExtendedSettings(const ZBalanceParams& p)
{
    m_ar.Dword(p.CheckValvesClose ? 1 : 0);
    m_ar.Long(p.DemandModel);
    m_ar.Double(p.MinPressure);
    m_ar.Double(p.RequiredPressure);
    m_ar.Double(p.PressureExponent);
}

void ProjectWriter::WriteCurve(const Curve& c)
{
    m_ar.Count(static_cast<uint32_t>(c.size()));
    for (const CurvePoint& pt : c) {
        m_ar.Double(pt.flow);
        m_ar.Double(pt.head);
    }
}

uint16_t ProjectWriter::SchemaOf(const ZNetObject& obj) const
{
    switch (obj.GetKind()) {
    case ZNetObject::Kind::Pipe:
        return m_schemas.pipe;
    case ZNetObject::Kind::Pump:
        return m_schemas.pump;
    case ZNetObject::Kind::Valve:
        return m_schemas.valve;
    case ZNetObject::Kind::Tank:
        return 1;
    default:
        return m_schemas.node;
    }
}

void ProjectWriter::WriteHeader(uint32_t version)
{
    m_ar.Dword(Magic);
    m_ar.Dword(version);
    m_ar.Zeros(20);
    m_ar.Word(HeaderSize);
    m_ar.Word(0);
    m_ar.Dword(0);   // nothing to skip after the header
    m_ar.Zeros(68);
}

void ProjectWriter::WriteExtents()
{
    const ViewExtent& e = m_doc.GetExtents();
    m_ar.Double(e.left);
    m_ar.Double(e.right);
    m_ar.Double(e.bottom);
    m_ar.Double(e.top);
}

void ProjectWriter::WriteDrawSettings(const ZDrawSettings& ds)
{
    for (const std::vector<double>* t :
         {&ds.NodeElevGrades, &ds.NodeFlowGrades, &ds.NodeFreeHeadGrades, &ds.NodeHeadGrades, &ds.PipeDiamGrades,
          &ds.PipeFlowGrades, &ds.PipeHLossGrades, &ds.PipeSlopeGrades, &ds.PipeVeloGrades}) {
        m_ar.Count(static_cast<uint32_t>(t->size()));
        for (double v : *t)
            m_ar.Double(v);
    }
    const ZBalanceParams& p = ds.Params;
    m_ar.Dword(p.CheckFlags);
    m_ar.Long(p.MaxIterations);
    m_ar.Double(p.ParamA);
    m_ar.Double(p.ParamB);
    m_ar.Double(p.FlowTolerance);
    m_ar.Double(p.HeadTolerance);
    m_ar.Double(p.AccidentFactor);
    m_ar.Dword(ds.Balanced);
    m_ar.Dword(ds.SpareWord1);
    m_ar.Dword(ds.SpareWord2);
    m_ar.Dword(ds.NodeGradeOn);
    m_ar.Dword(ds.PipeGradeOn);
    m_ar.Dword(ds.SpareWord3);
    m_ar.Long(ds.CalcCase);
    m_ar.Long(ds.NodeGradeMode);
    m_ar.Long(ds.PipeGradeMode);
    m_ar.Long(ds.ContourKind);
    m_ar.Dword(ds.ContourOption);
    m_ar.Double(ds.ContourInterval);
}

void ProjectWriter::WriteNetwork()
{
    const ZNetwork& net = m_doc.GetNetwork();
    m_ar.Count(static_cast<uint32_t>(net.NodeCount()));
    for (const ZConsumeNode* n : net.Nodes())
        WriteNetworkRef(n);
    m_ar.Count(static_cast<uint32_t>(net.LinkCount()));
    for (const ZFlowLink* l : net.Links())
        WriteNetworkRef(l);
}

void ProjectWriter::WriteViewsAndBitmap()
{
    const auto& views = m_doc.GetNamedViews();
    m_ar.Count(static_cast<uint32_t>(views.size()));
    for (const ZNamedView& v : views) {
        m_ar.NewObject("ZNamedView", 1);
        m_ar.String(v.ViewName.Bytes());
        m_ar.Double(v.ViewRect.left);
        m_ar.Double(v.ViewRect.bottom);
        m_ar.Double(v.ViewRect.right);
        m_ar.Double(v.ViewRect.top);
    }
    const ZNetBkDib* dib = m_doc.GetBkDib();
    // An image without bytes could not be read back as one: store no bitmap instead.
    if (!dib || dib->IsEmpty()) {
        m_ar.NullRef();
        return;
    }
    m_ar.NewObject("ZNetBkDib", 1);
    m_ar.Double(dib->BkLeft);
    m_ar.Double(dib->BkTop);
    m_ar.Double(dib->BkWidth);
    m_ar.Double(dib->BkHeight);
    m_ar.Raw(dib->Bytes().data(), dib->Bytes().size());
}

uint32_t& ProjectWriter::IndexSlot(const ZNetObject* obj)
{
    const ZNetwork& net = m_doc.GetNetwork();
    const int i = obj->GetIndex();
    if (obj->IsNode()) {
        if (i >= 0 && i < net.NodeCount() && net.NodeAt(i) == obj)
            return m_nodeIndex[static_cast<size_t>(i)];
    } else if (i >= 0 && i < net.LinkCount() && net.LinkAt(i) == obj) {
        return m_linkIndex[static_cast<size_t>(i)];
    }
    return m_otherIndex[obj];
}

bool ProjectWriter::BeginRef(const ZNetObject* obj)
{
    if (!obj) {
        m_ar.NullRef();
        return false;
    }
    uint32_t& slot = IndexSlot(obj);
    if (slot != 0) {
        m_ar.BackRef(slot);
        return false;
    }
    slot = m_ar.NewObject(obj->ClassName(), SchemaOf(*obj));
    return true;
}

void ProjectWriter::WriteNetworkRef(const ZNetObject* root)
{
    if (!BeginRef(root))
        return;
    WriteHead(*root);
    m_stack.push_back({root, 0});
    while (!m_stack.empty()) {
        Frame& f = m_stack.back();
        if (f.next < RefCount(*f.obj)) {
            const ZNetObject* child = RefAt(*f.obj, f.next++);
            if (BeginRef(child)) {
                WriteHead(*child);
                m_stack.push_back({child, 0});   // f is not used after this
            }
        } else {
            WriteTail(*f.obj);
            m_stack.pop_back();
        }
    }
}

void ProjectWriter::WriteHead(const ZNetObject& obj)
{
    const std::string_view id = obj.IdView().Bytes();
    m_ar.Dword(static_cast<uint32_t>(id.size()));
    m_ar.Raw(id.data(), id.size());
    m_ar.Dword(obj.GetFlags());
    m_ar.Long(obj.GetIndex());
}

int ProjectWriter::RefCount(const ZNetObject& obj)
{
    return obj.IsNode() ? 1 : 4;
}

const ZNetObject* ProjectWriter::RefAt(const ZNetObject& obj, int i)
{
    if (obj.IsNode())
        return static_cast<const ZNetNode&>(obj).FirstLink();
    const auto& l = static_cast<const ZNetLink&>(obj);
    switch (i) {
    case 0:
        return l.StartNode();
    case 1:
        return l.EndNode();
    case 2:
        return l.NextAtStart();
    default:
        return l.NextAtEnd();
    }
}

void ProjectWriter::WriteTail(const ZNetObject& obj)
{
    if (obj.IsNode()) {
        const auto& n = static_cast<const ZFlowNode&>(obj);
        for (double v : {n.X, n.Y, n.NodeFlow, n.NodeFireFlow, n.NodeGrunElev, n.NodeHydrElev})
            m_ar.Double(v);
        if (m_schemas.node >= ProjectExtension::NodeSchema)
            m_ar.Double(n.NodeDeliveredFlow);
        return;
    }
    const auto& l = static_cast<const ZFlowLink&>(obj);
    m_ar.Double(l.Flow);
    m_ar.Double(l.Resistance);
    if (obj.GetKind() == ZNetObject::Kind::Pipe) {
        const auto& p = static_cast<const ZPipeLink&>(obj);
        m_ar.Long(p.PipeType);
        m_ar.Long(p.PipeParallel);
        m_ar.Double(p.PipeLength);
        m_ar.Double(p.PipeInDiam);
        m_ar.Long(p.PipeSideType);
        m_ar.Dword(p.PipeDate);
        m_ar.Double(p.PipeRougCeof);
        m_ar.Double(p.PipeDiam);
        m_ar.Long(p.VertexCount());
        for (const PipePoint& v : p.Vertices()) {
            m_ar.Double(v.x);
            m_ar.Double(v.y);
        }
        if (m_schemas.pipe >= ProjectExtension::PipeSchema)
            m_ar.Double(p.PipeMinorLoss);
        return;
    }
    m_ar.Long(static_cast<const ZDeviceLink&>(obj).SymbolIndex());
    switch (obj.GetKind()) {
    case ZNetObject::Kind::Pump: {
        const auto& p = static_cast<const ZPumpLink&>(obj);
        m_ar.Long(p.GetPumpType());
        m_ar.Dword(p.PumpOpen ? 1 : 0);
        for (double v :
             {p.PumpStaticH, p.PumpSCoef, p.PumpRatedRotV, p.PumpOperatedRotV, p.PumpVacuum, p.PumpEfficiency})
            m_ar.Double(v);
        if (m_schemas.pump >= ProjectExtension::PumpSchema) {
            m_ar.Long(p.PumpCurveKind);
            m_ar.Double(p.PumpSpeed);
            m_ar.Double(p.PumpPower);
            WriteCurve(p.PumpCurve);
        }
        break;
    }
    case ZNetObject::Kind::Valve: {
        const auto& v = static_cast<const ZValveLink&>(obj);
        m_ar.Dword(v.ValveOpen ? 1 : 0);
        m_ar.Long(v.GetValveType());
        m_ar.Double(v.ValveHLess);
        m_ar.Double(v.ValveSCoef);
        if (m_schemas.valve >= ProjectExtension::ValveSchema) {
            m_ar.Double(v.ValveSetting);
            m_ar.Double(v.ValveDiam);
            m_ar.Long(v.ValveInitStatus);
            m_ar.Long(v.ValveState);
            WriteCurve(v.ValveCurve);
        }
        break;
    }
    default: {
        const auto& t = static_cast<const ZTankLink&>(obj);
        m_ar.Long(t.GetTankType());
        for (double v : {t.TankArea, t.TankCurH, t.TankMinHead, t.TankMaxHead, t.TankBottomElev})
            m_ar.Double(v);
        break;
    }
    }
}
