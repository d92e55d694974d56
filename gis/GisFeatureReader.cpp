#include "GisFeatureReader.h"

#include "GisError.h"
#include "model/NumberFormat.h"
#include "model/ProgressObserver.h"
#include "model/ZField.h"

#include <ogrsf_frmts.h>

#include <charconv>
#include <cmath>

namespace {
std::string Quoted(std::string text)
{
    if (text.size() > 64)
        text = text.substr(0, 64) + "...";
    return "\"" + text + "\"";
}

bool ParseNumber(std::string_view text, double& value)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Whether the feature's value of the binding is empty; else puts it in `value` or throws.
bool ReadValue(OGRFeature& f, const GisAttributeMap::Binding& b, const std::string& where, double& value)
{
    if (!f.IsFieldSetAndNotNull(b.index))
        return true;
    const OGRFieldDefn* d = f.GetFieldDefnRef(b.index);
    const std::string field = d->GetNameRef();
    switch (d->GetType()) {
    case OFTInteger:
    case OFTInteger64:
    case OFTReal:
        value = f.GetFieldAsDouble(b.index);
        break;
    case OFTString: {
        const std::string text = f.GetFieldAsString(b.index);
        if (text.find_first_not_of(" \t") == std::string::npos)
            return true;
        if (!ParseNumber(text, value))
            throw GisError(where + ": attribute \"" + field + "\" (" + b.key + ") holds " + Quoted(text) +
                           ", not a number");
        break;
    }
    default:
        throw GisError(where + ": attribute \"" + field + "\" (" + b.key + ") is not a number or text attribute");
    }
    value *= b.factor;
    const ZField& z = *b.field;
    const bool positive = std::string_view(z.key) == "PipeDiam" || std::string_view(z.key) == "PipeInDiam" ||
                          std::string_view(z.key) == "PipeLength";
    if (!z.Accepts(value) || value < z.low || value > z.high || (positive && !(value > 0.0)))
        throw GisError(where + ": attribute \"" + field + "\" (" + b.key + ") holds " +
                       Quoted(f.GetFieldAsString(b.index)) + ", outside the range of " + z.key);
    return false;
}

void AddLine(const OGRLineString& line, OGRCoordinateTransformation* transform, const std::string& where,
             std::vector<std::vector<PipePoint>>& parts)
{
    std::vector<PipePoint> pts;
    pts.reserve(static_cast<size_t>(line.getNumPoints()));
    for (int i = 0; i < line.getNumPoints(); ++i) {
        double x = line.getX(i), y = line.getY(i);
        if (std::isfinite(x) && std::isfinite(y) && transform && !transform->Transform(1, &x, &y))
            throw GisError(where + ": point " + std::to_string(i + 1) + " (" + NumberFormat::G(line.getX(i)) + ", " +
                           NumberFormat::G(line.getY(i)) + ") cannot be projected");
        if (!std::isfinite(x) || !std::isfinite(y))
            throw GisError(where + ": point " + std::to_string(i + 1) + " is not a finite coordinate");
        pts.push_back({x, y});
    }
    if (pts.size() < 2)
        throw GisError(where + ": a line of " + std::to_string(pts.size()) + " point(s)");
    parts.push_back(std::move(pts));
}
}   // namespace

GisFeatureReader::Layer GisFeatureReader::Read(OGRLayer& layer, bool pipes, bool nodes,
                                               const std::vector<GisAttributeMap::Choice>& chosen,
                                               OGRCoordinateTransformation* transform, const std::string& source,
                                               ProgressObserver* observer)
{
    Layer out;
    out.name = layer.GetName();
    const std::string layerWhere = source + ": layer \"" + out.name + "\"";
    // A layer read for both (no declared geometry) takes node attributes for its points.
    out.bindings = GisAttributeMap::For(pipes ? ZNetObject::Kind::Pipe : ZNetObject::Kind::Node, *layer.GetLayerDefn(),
                                        chosen, layerWhere);
    std::vector<GisAttributeMap::Binding> nodeBindings =
        pipes && nodes ? GisAttributeMap::For(ZNetObject::Kind::Node, *layer.GetLayerDefn(), chosen, layerWhere)
                       : out.bindings;
    out.nulls.assign(out.bindings.size(), 0);
    const GIntBig total = std::max<GIntBig>(1, layer.GetFeatureCount(FALSE));
    GIntBig done = 0;
    layer.ResetReading();
    for (auto& f : layer) {
        if (observer && (++done & 1023) == 0) {
            observer->Progress(std::min(1.0, static_cast<double>(done) / static_cast<double>(total)));
            if (observer->StopRequested())
                throw GisError("stopped; nothing imported");
        }
        Feature feat;
        feat.where = layerWhere + ", feature " + std::to_string(f->GetFID());
        const OGRGeometry* g = f->GetGeometryRef();
        if (!g || g->IsEmpty())
            throw GisError(feat.where + ": no geometry");
        std::unique_ptr<OGRGeometry> linear(g->hasCurveGeometry() ? g->getLinearGeometry() : nullptr);
        if (linear)
            g = linear.get();
        const OGRwkbGeometryType type = wkbFlatten(g->getGeometryType());
        bool isPipe = false;
        if (pipes && type == wkbLineString) {
            AddLine(*g->toLineString(), transform, feat.where, feat.parts);
            isPipe = true;
        } else if (pipes && type == wkbMultiLineString) {
            for (const OGRLineString* part : *g->toMultiLineString()) {
                if (part->IsEmpty())
                    throw GisError(feat.where + ": a part without points");
                AddLine(*part, transform, feat.where, feat.parts);
            }
            isPipe = true;
        } else if (nodes &&
                   (type == wkbPoint || (type == wkbMultiPoint && g->toMultiPoint()->getNumGeometries() == 1))) {
            const OGRPoint* p = type == wkbPoint ? g->toPoint() : g->toMultiPoint()->getGeometryRef(0);
            double x = p->getX(), y = p->getY();
            if (std::isfinite(x) && std::isfinite(y) && transform && !transform->Transform(1, &x, &y))
                throw GisError(feat.where + ": the point cannot be projected");
            if (!std::isfinite(x) || !std::isfinite(y))
                throw GisError(feat.where + ": the point is not a finite coordinate");
            feat.parts.push_back({{x, y}});
        } else {
            ++out.skipped;
            continue;
        }
        const std::vector<GisAttributeMap::Binding>& bindings = isPipe ? out.bindings : nodeBindings;
        for (size_t i = 0; i < bindings.size(); ++i) {
            const GisAttributeMap::Binding& b = bindings[i];
            if (!b.field) {
                if (f->IsFieldSetAndNotNull(b.index))
                    feat.id = f->GetFieldAsString(b.index);
                continue;
            }
            double value = 0.0;
            if (ReadValue(*f, b, feat.where, value)) {
                if (isPipe || !pipes)
                    ++out.nulls[i];
            } else {
                feat.values.emplace_back(b.field, value);
                feat.knownHead = feat.knownHead || b.key == "head_m";
            }
        }
        (isPipe ? out.pipes : out.nodes).push_back(std::move(feat));
    }
    return out;
}
