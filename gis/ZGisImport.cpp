#include "ZGisImport.h"

#include "GdalSession.h"
#include "GisCrs.h"
#include "GisError.h"
#include "GisFeatureReader.h"
#include "GisFieldNames.h"
#include "edit/ZCadImport.h"
#include "edit/ZCadNodeIndex.h"
#include "model/GbkCodec.h"
#include "model/NumberFormat.h"
#include "model/ProgressObserver.h"
#include "model/ZConsumeNode.h"
#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"
#include "model/ZFieldTable.h"
#include "model/ZNetMsg.h"
#include "model/ZPipeLink.h"

#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace {
// Progress of one phase inside the whole: reading the layers is the first half.
class PhaseProgress : public ProgressObserver {
public:
    PhaseProgress(ProgressObserver* outer, double from, double to) : m_outer(outer), m_from(from), m_to(to) {}
    void Progress(double f) override
    {
        if (m_outer)
            m_outer->Progress(m_from + (m_to - m_from) * f);
    }
    bool StopRequested() const override { return m_outer && m_outer->StopRequested(); }

private:
    ProgressObserver* m_outer;
    double m_from, m_to;
};

struct ChosenLayer {
    OGRLayer* layer;
    bool pipes, nodes;
};

std::string LayerNames(const std::vector<OGRLayer*>& all)
{
    std::string names;
    for (OGRLayer* l : all)
        names += (names.empty() ? "" : ", ") + std::string("\"") + l->GetName() + "\"";
    return names.empty() ? "none" : names;
}

// What an export writes beside the network's pipes and nodes: not read back as pipes or nodes.
bool DeviceLayer(const std::string& name)
{
    for (const char* kind : {"pumps", "valves", "tanks"}) {
        const std::string k = kind;
        if (GisFieldNames::SameName(name, k) || (name.size() > k.size() && name[name.size() - k.size() - 1] == '_' &&
                                                 GisFieldNames::SameName(name.substr(name.size() - k.size()), k)))
            return true;
    }
    return false;
}

std::vector<ChosenLayer> ChooseLayers(const std::vector<OGRLayer*>& all, const ZGisImport::Options& o,
                                      const std::string& source, std::vector<std::string>& notes)
{
    std::vector<ChosenLayer> chosen;
    auto named = [&](const std::string& name, bool pipes) {
        OGRLayer* l = nullptr;
        for (OGRLayer* x : all)
            if (!l && GisFieldNames::SameName(x->GetName(), name))
                l = x;
        if (!l)
            throw GisError(source + ": no layer \"" + name + "\" (layers: " + LayerNames(all) + ")");
        for (ChosenLayer& c : chosen)
            if (c.layer == l) {
                (pipes ? c.pipes : c.nodes) = true;
                return;
            }
        chosen.push_back({l, pipes, !pipes});
    };
    if (!o.pipesLayer.empty())
        named(o.pipesLayer, true);
    if (!o.nodesLayer.empty())
        named(o.nodesLayer, false);
    for (OGRLayer* l : all) {
        const OGRwkbGeometryType t = wkbFlatten(l->GetGeomType());
        const bool line = t == wkbLineString || t == wkbMultiLineString || t == wkbCircularString ||
                          t == wkbCompoundCurve || t == wkbMultiCurve;
        const bool point = t == wkbPoint || t == wkbMultiPoint;
        const bool unknown = t == wkbUnknown || t == wkbGeometryCollection;
        const bool pipes = o.pipesLayer.empty() && (line || unknown);
        const bool nodes = o.nodesLayer.empty() && (point || unknown);
        bool known = false;
        for (const ChosenLayer& c : chosen)
            known = known || c.layer == l;
        if (known || !(pipes || nodes))
            continue;
        if (DeviceLayer(l->GetName())) {
            if (l->GetFeatureCount() > 0)
                notes.push_back("层 " + std::string(l->GetName()) + ": 水泵、阀门和水池图层不引入");
            continue;
        }
        chosen.push_back({l, pipes, nodes});
    }
    bool anyPipes = false;
    for (const ChosenLayer& c : chosen)
        anyPipes = anyPipes || c.pipes;
    if (!anyPipes)
        throw GisError(source + ": no line layer to take pipes from (layers: " + LayerNames(all) + ")");
    return chosen;
}

// An export's NAME_pipes.shp (or .geojson) has its nodes in NAME_nodes beside it, and the other way
// round: the two are read together.
std::string Companion(const std::string& source)
{
    namespace fs = std::filesystem;
    const fs::path p(source);
    const std::string stem = p.stem().string();
    for (const auto& [from, to] : {std::pair{"_pipes", "_nodes"}, std::pair{"_nodes", "_pipes"}}) {
        const std::string f = from;
        if (stem.size() > f.size() && stem.compare(stem.size() - f.size(), f.size(), f) == 0) {
            const fs::path other =
                p.parent_path() / (stem.substr(0, stem.size() - f.size()) + to + p.extension().string());
            std::error_code ec;
            if (fs::is_regular_file(other, ec))
                return other.string();
        }
    }
    return {};
}

// The system the network's coordinates will be in, and the transformation into it (null: none).
struct Crs {
    std::unique_ptr<OGRSpatialReference> target;
    std::unique_ptr<OGRCoordinateTransformation> transform;
    std::string note;
};

Crs ChooseCrs(const std::vector<ChosenLayer>& layers, const ZGisImport::Options& o, const ZDocument& doc,
              const std::string& source)
{
    const OGRSpatialReference* from = nullptr;
    std::string fromLayer;
    for (const ChosenLayer& c : layers) {
        const OGRSpatialReference* s = c.layer->GetSpatialRef();
        // GeoPackages name a missing system "Undefined geographic SRS" (or Cartesian).
        if (!s || s->IsEmpty() || std::string_view(s->GetName() ? s->GetName() : "").starts_with("Undefined "))
            continue;
        // GeoJSON without a "crs" member reads as WGS 84 whatever its numbers: numbers beyond
        // degrees are a projected network written without its system.
        OGREnvelope e;
        if (s->IsGeographic() && c.layer->GetExtent(&e, TRUE) == OGRERR_NONE &&
            (std::fabs(e.MinX) > 180 || std::fabs(e.MaxX) > 180 || std::fabs(e.MinY) > 90 || std::fabs(e.MaxY) > 90))
            continue;
        if (from && !GisCrs::Same(*from, *s))
            throw GisError(source + ": layers \"" + fromLayer + "\" and \"" + c.layer->GetName() +
                           "\" are in different coordinate systems (" + GisCrs::Describe(*from) + "; " +
                           GisCrs::Describe(*s) + ")");
        if (!from) {
            from = s;
            fromLayer = c.layer->GetName();
        }
    }
    Crs crs;
    if (o.projectTo != 0) {
        crs.target = GisCrs::FromText("EPSG:" + std::to_string(o.projectTo));
        if (!crs.target || !crs.target->IsProjected())
            throw GisError("--project-to " + std::to_string(o.projectTo) + ": not a projected EPSG coordinate system");
        if (!from)
            throw GisError(source + ": the layers have no coordinate system to project from (--project-to)");
        if (!GisCrs::Same(*from, *crs.target)) {
            crs.transform = GisCrs::Transform(*from, *crs.target);
            if (!crs.transform)
                throw GisError(source + ": cannot project " + GisCrs::Describe(*from) + " into " +
                               GisCrs::Describe(*crs.target));
            crs.note = "坐标系: " + GisCrs::Describe(*from) + " 投影到 " + GisCrs::Describe(*crs.target);
        }
    } else if (from) {
        if (from->IsGeographic())
            throw GisError(source + ": layer \"" + fromLayer + "\" is in a geographic coordinate system (" +
                           GisCrs::Describe(*from) +
                           ", degrees); give --project-to EPSG with a projected system in metres");
        crs.target = std::make_unique<OGRSpatialReference>(*from);
    }
    if (crs.target && crs.note.empty())
        crs.note = "坐标系: " + GisCrs::Describe(*crs.target);
    if (!crs.target)
        crs.note = "图层没有坐标系，坐标按米使用";
    if (!doc.GetCrs().empty()) {
        auto own = GisCrs::FromText(doc.GetCrs());
        if (crs.target && own && !GisCrs::Same(*own, *crs.target))
            throw GisError(source + ": the layers are in " + GisCrs::Describe(*crs.target) + ", the network in " +
                           GisCrs::Describe(*own) + " (give --project-to with the network's EPSG code)");
    }
    return crs;
}

GbkString ToId(const std::string& utf8, const std::string& where)
{
    GbkString id = GbkCodec::FromUtf8(utf8);
    if (id.Bytes().size() > static_cast<size_t>(ZNetObject::MaxIdLength))
        throw GisError(where + ": identifier \"" + utf8 + "\" is longer than " +
                       std::to_string(ZNetObject::MaxIdLength) + " bytes");
    return id;
}

std::string Join(const std::vector<std::string>& items, size_t limit = 20)
{
    std::string text;
    for (size_t i = 0; i < items.size() && i < limit; ++i)
        text += (i ? "; " : "") + items[i];
    if (items.size() > limit)
        text += "; 等 " + std::to_string(items.size()) + " 个";
    return text;
}
}   // namespace

namespace {
std::vector<GDALDatasetUniquePtr> OpenSets(const std::string& source, std::vector<OGRLayer*>& all)
{
    std::vector<GDALDatasetUniquePtr> sets;
    for (const std::string& name : {source, Companion(source)}) {
        if (name.empty())
            continue;
        GdalSession::CheckSource(name);
        GDALDatasetUniquePtr ds(GDALDataset::Open(name.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
        if (!ds) {
            const std::string why = GdalSession::LastError();
            throw GisError(name + ": not readable as GIS data" + (why.empty() ? "" : " (" + why + ")"));
        }
        for (OGRLayer* l : ds->GetLayers())
            all.push_back(l);
        sets.push_back(std::move(ds));
    }
    return sets;
}
}   // namespace

std::vector<ZGisImport::Layer> ZGisImport::Layers(const std::string& source)
{
    GdalSession::Open();
    std::vector<OGRLayer*> all;
    const std::vector<GDALDatasetUniquePtr> sets = OpenSets(source, all);
    std::vector<Layer> layers;
    for (OGRLayer* l : all) {
        const OGRwkbGeometryType t = wkbFlatten(l->GetGeomType());
        const bool unknown = t == wkbUnknown || t == wkbGeometryCollection;
        Layer x;
        x.name = l->GetName();
        x.lines = unknown || t == wkbLineString || t == wkbMultiLineString || t == wkbCircularString ||
                  t == wkbCompoundCurve || t == wkbMultiCurve;
        x.points = unknown || t == wkbPoint || t == wkbMultiPoint;
        layers.push_back(x);
    }
    return layers;
}

ZGisImport::Report ZGisImport::Run(const std::string& source, ZDocument& doc, const ZTemplateSet& templates,
                                   const Options& options, ProgressObserver* observer)
{
    GdalSession::Open();
    std::vector<OGRLayer*> all;
    const std::vector<GDALDatasetUniquePtr> sets = OpenSets(source, all);
    std::vector<std::string> layerNotes;
    const std::vector<ChosenLayer> chosen = ChooseLayers(all, options, source, layerNotes);
    Crs crs = ChooseCrs(chosen, options, doc, source);

    Report report;
    report.lines.push_back(crs.note);
    report.lines.insert(report.lines.end(), layerNotes.begin(), layerNotes.end());
    std::vector<GisFeatureReader::Layer> layers;
    for (size_t i = 0; i < chosen.size(); ++i) {
        PhaseProgress phase(observer, 0.5 * static_cast<double>(i) / static_cast<double>(chosen.size()),
                            0.5 * static_cast<double>(i + 1) / static_cast<double>(chosen.size()));
        layers.push_back(GisFeatureReader::Read(*chosen[i].layer, chosen[i].pipes, chosen[i].nodes, options.map,
                                                crs.transform.get(), source, &phase));
    }
    for (const GisFeatureReader::Layer& l : layers) {
        std::string mapped, defaulted;
        for (size_t i = 0; i < l.bindings.size(); ++i) {
            const GisAttributeMap::Binding& b = l.bindings[i];
            const std::string field =
                chosen[&l - layers.data()].layer->GetLayerDefn()->GetFieldDefn(b.index)->GetNameRef();
            mapped += (mapped.empty() ? "" : ", ") + b.key + "=" + field +
                      (b.how[0] == '-' ? "" : std::string(" (") + b.how + ")");
            if (l.nulls[i] > 0)
                defaulted += (defaulted.empty() ? "" : ", ") + b.key + " " + std::to_string(l.nulls[i]) + " 个";
        }
        report.lines.push_back("层 " + l.name + ": 线要素 " + std::to_string(l.pipes.size()) + " 个, 点要素 " +
                               std::to_string(l.nodes.size()) + " 个" +
                               (l.skipped ? ", 跳过其他几何要素 " + std::to_string(l.skipped) + " 个" : ""));
        report.lines.push_back("  字段对应: " + (mapped.empty() ? std::string("无") : mapped));
        if (!defaulted.empty())
            report.lines.push_back("  值为空取模板值: " + defaulted);
    }

    ZEditTransaction tx(doc, "来自GIS数据");
    tx.AnnounceAs(ZNetMsg::CadImported);   // many objects at once: views rebuild rather than patch
    ZNetwork& net = doc.GetNetwork();
    ZCadImport::Options io;
    io.MinDist = options.tolerance;
    io.ScaleCad = 1.0;
    io.ScaleQen = 1000.0;   // one unit a metre
    ZCadImport import(net, templates, io, &tx);

    // Pipes: each part one polyline; the parts of a feature share its attributes.
    struct Made {
        ZPipeLink* pipe;
        const GisFeatureReader::Feature* feature;
        int part;
        double share;   // of the feature's drawn length
    };
    std::vector<Made> made;
    std::vector<std::string> notPipes;
    size_t total = 0, done = 0;
    for (const auto& l : layers)
        total += l.pipes.size() + l.nodes.size();
    bool keepGoing = true;
    for (const auto& l : layers) {
        for (const GisFeatureReader::Feature& f : l.pipes) {
            const int percent = static_cast<int>(50 + 40 * static_cast<double>(done++) / static_cast<double>(total));
            const size_t first = made.size();
            double length = 0.0;
            for (size_t p = 0; p < f.parts.size(); ++p) {
                const size_t before = import.Added().size();
                import.OnScannedEntity(f.parts[p].data(), static_cast<int>(f.parts[p].size()), percent, keepGoing);
                for (size_t k = before; k < import.Added().size(); ++k)
                    if (!import.Added()[k]->IsNode()) {
                        auto* pipe = static_cast<ZPipeLink*>(import.Added()[k]);
                        const double len = pipe->PolylineLength();
                        made.push_back({pipe, &f, static_cast<int>(made.size() - first), len});
                        length += len;
                    }
            }
            if (made.size() == first)
                notPipes.push_back(f.where.substr(source.size() + 2));
            for (size_t k = first; k < made.size(); ++k)
                made[k].share = length > 0 ? made[k].share / length : 1.0 / static_cast<double>(made.size() - first);
            if (!keepGoing)
                throw GisError("stopped; nothing imported");
        }
    }
    import.Finish();

    // Attributes of the pipes.
    for (const Made& m : made) {
        bool diam = false, inner = false, length = false;
        for (const auto& [field, value] : m.feature->values) {
            const std::string_view key = field->key;
            double v = value;
            if (key == "PipeLength") {
                v *= m.share;
                length = true;
            }
            diam = diam || key == "PipeDiam";
            inner = inner || key == "PipeInDiam";
            ZFieldTable::Set(*m.pipe, key, v);
        }
        if (diam && !inner)
            m.pipe->PipeInDiam = m.pipe->PipeDiam;
        if (length)
            m.pipe->ClearFlag(qen::FLAG_AUTO_LENGTH);
    }

    // Points: the node made here that each falls on.
    std::vector<ZConsumeNode*> newNodes;
    for (ZNetObject* o : import.Added())
        if (o->IsNode())
            newNodes.push_back(static_cast<ZConsumeNode*>(o));
    ZCadNodeIndex index(import.Tolerance());
    for (ZConsumeNode* n : newNodes)
        index.Add(n);
    std::unordered_map<ZConsumeNode*, const GisFeatureReader::Feature*> pointOf;
    std::vector<std::string> offPipes, sharing;
    for (const auto& l : layers) {
        for (const GisFeatureReader::Feature& f : l.nodes) {
            if (observer && (++done & 1023) == 0) {
                observer->Progress(0.5 + 0.4 * static_cast<double>(done) / static_cast<double>(total));
                if (observer->StopRequested())
                    throw GisError("stopped; nothing imported");
            }
            const PipePoint& p = f.parts[0][0];
            ZConsumeNode* n = index.FirstWithin(p.x, p.y);
            const std::string where = f.where.substr(source.size() + 2);
            if (!n) {
                offPipes.push_back(where);
                continue;
            }
            auto [it, fresh] = pointOf.emplace(n, &f);
            if (!fresh) {
                sharing.push_back(where + " (与 " + it->second->where.substr(source.size() + 2) + ")");
                continue;
            }
            for (const auto& [field, value] : f.values)
                ZFieldTable::Set(*n, field->key, value);
            if (f.knownHead)
                n->SetHeadKnown(true);
            ++report.pointsJoined;
        }
    }

    // Identifiers: the features' where given, numbers of the network's rule elsewhere.
    std::unordered_set<const ZNetObject*> isNew(newNodes.begin(), newNodes.end());
    for (const Made& m : made)
        isNew.insert(m.pipe);
    std::unordered_map<ZNetObject*, GbkString> ids;
    std::unordered_map<std::string, std::string> nodeOwner, linkOwner;   // GBK id -> where
    for (const auto& [node, f] : pointOf) {
        if (f->id.empty())
            continue;
        GbkString id = ToId(f->id, f->where);
        if (auto [it, fresh] = nodeOwner.emplace(id.Bytes(), f->where); !fresh)
            throw GisError(f->where + ": identifier \"" + f->id + "\" also given by " + it->second);
        if (const ZConsumeNode* n = net.FindNode(id); n && !isNew.count(n))
            throw GisError(f->where + ": identifier \"" + f->id + "\" is a node of the network already");
        ids.emplace(node, std::move(id));
    }
    for (const Made& m : made) {
        if (m.feature->id.empty())
            continue;
        const std::string utf8 = m.feature->id + (m.part > 0 ? "_" + std::to_string(m.part + 1) : "");
        GbkString id = ToId(utf8, m.feature->where);
        if (auto [it, fresh] = linkOwner.emplace(id.Bytes(), m.feature->where); !fresh)
            throw GisError(m.feature->where + ": identifier \"" + utf8 + "\" also given by " + it->second);
        if (const ZFlowLink* l = net.FindLink(id); l && !isNew.count(l))
            throw GisError(m.feature->where + ": identifier \"" + utf8 + "\" is a link of the network already");
        ids.emplace(m.pipe, std::move(id));
    }
    // Objects without one keep the number they got unless a feature took it.
    auto fresh = [&](bool node, long long& next) {
        const auto& owner = node ? nodeOwner : linkOwner;
        for (;; ++next) {
            const std::string id = std::to_string(next);
            if (owner.count(id) == 0 &&
                !(node ? static_cast<bool>(net.FindNode(GbkView(id))) : static_cast<bool>(net.FindLink(GbkView(id)))))
                return GbkString(id);
        }
    };
    long long nextNode = net.NodeCount(), nextLink = net.LinkCount();
    std::vector<ZFlowLink*> newLinks;
    for (const Made& m : made)
        newLinks.push_back(m.pipe);
    for (ZConsumeNode* n : newNodes)
        if (!ids.count(n) && nodeOwner.count(n->GetId()))
            ids.emplace(n, fresh(true, nextNode)), nodeOwner.emplace(ids.at(n).Bytes(), "");
    for (ZFlowLink* l : newLinks)
        if (!ids.count(l) && linkOwner.count(l->GetId()))
            ids.emplace(l, fresh(false, nextLink)), linkOwner.emplace(ids.at(l).Bytes(), "");
    if (!ids.empty()) {
        net.RemoveFromArrays(newNodes, newLinks);
        for (auto& [obj, id] : ids)
            obj->SetId(id);
        if (!net.MergeIntoArrays(newNodes, newLinks))
            throw GisError(source + ": identifiers clash after renaming; nothing imported");
    }

    if (options.splitAtTees) {
        report.splits = import.SplitAtTees();
        report.overlaps = import.OverlapsFound();
    }
    if (crs.target && doc.GetCrs().empty())
        doc.SetCrs(GisCrs::ToWkt(*crs.target));
    report.crs = crs.target ? GisCrs::Describe(*crs.target) : std::string();
    report.pipesAdded = import.PipesAdded();
    report.nodesAdded = import.NodesAdded();
    if (!notPipes.empty())
        report.lines.push_back("未成为管道的线要素 " + std::to_string(notPipes.size()) +
                               " 个 (长度为零或两端落在同一节点上): " + Join(notPipes));
    if (!offPipes.empty())
        report.lines.push_back("不在本次引入的管道端点上的点要素 " + std::to_string(offPipes.size()) +
                               " 个 (容差内), 未引入: " + Join(offPipes));
    if (!sharing.empty())
        report.lines.push_back("与其他点要素落在同一节点上的点要素 " + std::to_string(sharing.size()) +
                               " 个, 未引入: " + Join(sharing));
    for (const std::string& n : import.Notes())
        report.lines.push_back(n);
    if (observer)
        observer->Progress(1.0);
    tx.Commit();
    return report;
}
