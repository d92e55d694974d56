#include "ZGisExport.h"

#include "GdalSession.h"
#include "GisCrs.h"
#include "GisError.h"
#include "GisFieldNames.h"
#include "model/GbkCodec.h"
#include "model/ProgressObserver.h"
#include "model/ZConsumeNode.h"
#include "model/ZDocument.h"
#include "model/ZFieldTable.h"
#include "model/ZPipeLink.h"
#include "persist/AtomicFileWriter.h"

#include <cpl_vsi.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>

const char* const ZGisExport::LayerNames[5] = {"nodes", "pipes", "pumps", "valves", "tanks"};

namespace {
namespace fs = std::filesystem;

struct Format {
    const char* driver;
    bool oneFile;   // all layers in one file
    bool shortNames;
};

Format FormatOf(const std::string& target)
{
    std::string ext = fs::path(target).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".gpkg")
        return {"GPKG", true, false};
    if (ext == ".shp")
        return {"ESRI Shapefile", false, true};
    if (ext == ".geojson" || ext == ".json")
        return {"GeoJSON", false, false};
    throw GisError(target + ": not a GIS file QEN writes (.gpkg, .shp or .geojson)");
}

OGRFieldType TypeOf(const ZField& f)
{
    switch (f.type) {
    case ZField::Text:
        return OFTString;
    case ZField::Int:
    case ZField::Bool:
        return OFTInteger;
    case ZField::Date:
        return OFTInteger64;
    default:
        return OFTReal;
    }
}

class LayerWriter {
public:
    LayerWriter(GDALDataset& ds, const std::string& name, ZNetObject::Kind kind, OGRwkbGeometryType geom,
                OGRSpatialReference* srs, const Format& format, bool results, const ZDocument& doc)
        : m_kind(kind), m_doc(doc)
    {
        const char* options[] = {"SPATIAL_INDEX=YES", nullptr};
        m_layer = ds.CreateLayer(name.c_str(), srs, geom, const_cast<char**>(options));
        if (!m_layer)
            throw GisError("layer \"" + name + "\" cannot be made (" + GdalSession::LastError() + ")");
        for (const GisFieldNames::Name& n : GisFieldNames::Of(kind)) {
            if (n.result && !results)
                continue;
            OGRFieldDefn d(format.shortNames ? n.shp.c_str() : n.name.c_str(), TypeOf(*n.field));
            if (format.shortNames && d.GetType() == OFTReal) {
                d.SetWidth(24);
                d.SetPrecision(15);
            }
            if (m_layer->CreateField(&d) != OGRERR_NONE)
                throw GisError("layer \"" + name + "\": field " + n.name + " cannot be made (" +
                               GdalSession::LastError() + ")");
            m_fields.push_back(&n);
        }
    }

    void Add(const ZNetObject& obj, OGRGeometry* geom)
    {
        OGRFeature f(m_layer->GetLayerDefn());
        const bool stale = m_doc.IsResultStale(obj);
        for (size_t i = 0; i < m_fields.size(); ++i) {
            const ZField& z = *m_fields[i]->field;
            const int index = static_cast<int>(i);
            if (z.type == ZField::Text) {
                f.SetField(index, GbkCodec::ToUtf8(z.text(obj)).c_str());
                continue;
            }
            if (!z.get || (m_fields[i]->result && stale))
                continue;
            const double v = z.get(obj);
            if (!std::isfinite(v))
                continue;
            if (z.type == ZField::Double)
                f.SetField(index, v);
            else
                f.SetField(index, static_cast<GIntBig>(v));
        }
        f.SetGeometryDirectly(geom);
        if (m_layer->CreateFeature(&f) != OGRERR_NONE)
            throw GisError(std::string("layer \"") + m_layer->GetName() + "\": " + GbkCodec::ToUtf8(obj.IdView()) +
                           " cannot be written (" + GdalSession::LastError() + ")");
    }

private:
    ZNetObject::Kind m_kind;
    const ZDocument& m_doc;
    OGRLayer* m_layer = nullptr;
    std::vector<const GisFieldNames::Name*> m_fields;
};

OGRGeometry* Line(const ZNetLink& link)
{
    auto* line = new OGRLineString;
    const auto* a = static_cast<const ZConsumeNode*>(link.StartNode());
    const auto* b = static_cast<const ZConsumeNode*>(link.EndNode());
    line->addPoint(a->X, a->Y);
    if (link.GetKind() == ZNetObject::Kind::Pipe)
        for (const PipePoint& p : static_cast<const ZPipeLink&>(link).Vertices())
            line->addPoint(p.x, p.y);
    line->addPoint(b->X, b->Y);
    return line;
}

std::string MemoryFolder()
{
    static std::atomic<unsigned> counter{0};
    return "/vsimem/qen-gis-" + std::to_string(++counter);
}
}   // namespace

ZGisExport::Report ZGisExport::Write(const ZDocument& doc, const std::string& target, const Options& options,
                                     ProgressObserver* observer)
{
    GdalSession::Open();
    const Format format = FormatOf(target);
    const fs::path path(target);
    const std::string stem = path.stem().string(), ext = path.extension().string();
    const fs::path folder = path.parent_path();
    std::vector<std::string> names;   // file names without the folder, per layer or one
    if (format.oneFile)
        names.push_back(path.filename().string());
    else
        for (const char* layer : LayerNames)
            names.push_back(stem + "_" + layer + ext);
    for (const std::string& n : names)
        AtomicFileWriter::CheckTarget((folder / n).string());

    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(format.driver);
    if (!driver)
        throw GisError(std::string("GDAL has no driver ") + format.driver);
    std::unique_ptr<OGRSpatialReference> srs = GisCrs::FromText(doc.GetCrs());
    const std::string mem = MemoryFolder();
    VSIMkdir(mem.c_str(), 0755);
    struct Cleanup {
        std::string dir;
        ~Cleanup() { VSIRmdirRecursive(dir.c_str()); }
    } cleanup{mem};

    Report report;
    const ZNetwork& net = doc.GetNetwork();
    const double total = std::max(1, net.NodeCount() + net.LinkCount());
    double done = 0;
    auto step = [&] {
        if (observer && (static_cast<long>(++done) & 1023) == 0) {
            observer->Progress(0.9 * done / total);
            if (observer->StopRequested())
                throw GisError("stopped; nothing written");
        }
    };
    const bool results = options.results;
    GDALDatasetUniquePtr shared;
    if (format.oneFile) {
        shared.reset(driver->Create((mem + "/" + names[0]).c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        if (!shared)
            throw GisError(target + ": cannot be made (" + GdalSession::LastError() + ")");
    }
    for (int k = 0; k < 5; ++k) {
        GDALDatasetUniquePtr own;
        GDALDataset* ds = shared.get();
        std::string layerName = LayerNames[k];
        if (!ds) {
            own.reset(driver->Create((mem + "/" + names[k]).c_str(), 0, 0, 0, GDT_Unknown, nullptr));
            if (!own)
                throw GisError(names[k] + ": cannot be made (" + GdalSession::LastError() + ")");
            ds = own.get();
            layerName = stem + "_" + LayerNames[k];
        }
        const auto kind = static_cast<ZNetObject::Kind>(k);
        const bool points = kind == ZNetObject::Kind::Node || kind == ZNetObject::Kind::Tank;
        LayerWriter writer(*ds, layerName, kind, points ? wkbPoint : wkbLineString, srs.get(), format, results, doc);
        const bool transaction = ds->StartTransaction() == OGRERR_NONE;
        if (kind == ZNetObject::Kind::Node) {
            for (const ZConsumeNode* n : net.Nodes()) {
                step();
                if (n->IsHidden())
                    continue;
                writer.Add(*n, new OGRPoint(n->X, n->Y));
                ++report.nodes;
            }
        } else {
            for (const ZFlowLink* l : net.Links()) {
                if (l->GetKind() != kind)
                    continue;
                step();
                if (kind == ZNetObject::Kind::Tank) {
                    const auto* outlet = static_cast<const ZConsumeNode*>(l->StartNode());
                    writer.Add(*l, new OGRPoint(outlet->X, outlet->Y));
                } else {
                    writer.Add(*l, Line(*l));
                }
                int& count = kind == ZNetObject::Kind::Pipe    ? report.pipes
                             : kind == ZNetObject::Kind::Pump  ? report.pumps
                             : kind == ZNetObject::Kind::Valve ? report.valves
                                                               : report.tanks;
                ++count;
            }
        }
        if (transaction && ds->CommitTransaction() != OGRERR_NONE)
            throw GisError(target + ": " + GdalSession::LastError());
        own.reset();   // GDAL finishes the file on closing it
    }
    shared.reset();

    // Every file GDAL made, to disk through the atomic writer.
    char** files = VSIReadDir(mem.c_str());
    std::vector<std::string> made;
    for (char** f = files; f && *f; ++f)
        if (std::string(*f) != "." && std::string(*f) != "..")
            made.push_back(*f);
    CSLDestroy(files);
    std::sort(made.begin(), made.end());
    for (const std::string& m : made)
        if (fs::path(m).extension() != ".shp")
            AtomicFileWriter::CheckTarget((folder / m).string());
    // Main files last: a reader finds the new .shp only with its new sidecars in place.
    std::stable_partition(made.begin(), made.end(),
                          [](const std::string& m) { return fs::path(m).extension() != ".shp"; });
    for (const std::string& m : made) {
        vsi_l_offset size = 0;
        const GByte* data = VSIGetMemFileBuffer((mem + "/" + m).c_str(), &size, FALSE);
        if (!data)
            throw GisError(m + ": lost in memory");
        const std::string out = (folder / m).string();
        AtomicFileWriter::Write(out, std::string(reinterpret_cast<const char*>(data), static_cast<size_t>(size)));
        report.files.push_back(out);
    }
    if (!format.oneFile && format.shortNames)
        for (int k = 0; k < 5; ++k)
            for (const char* side : {".prj", ".cpg", ".qix", ".sbn", ".sbx"}) {
                const std::string name = stem + "_" + LayerNames[k] + side;
                if (std::find(made.begin(), made.end(), name) == made.end()) {
                    std::error_code ec;
                    fs::remove(folder / name, ec);
                }
            }
    if (observer)
        observer->Progress(1.0);
    return report;
}
