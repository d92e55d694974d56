#include "DxfPipeScanner.h"
#include "DxfDrawing.h"
#include "DxfTextCodec.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsSubEntity(const std::string& type)
{
    return type == "VERTEX" || type == "SEQEND" || type == "ATTRIB";
}

} // namespace

DxfPipeScanner::DxfPipeScanner(const DxfDrawing& drawing, const std::vector<std::string>* layersGbk, uint8_t flags)
    : m_drawing(drawing), m_allLayers(layersGbk == nullptr), m_flags(flags)
{
    if (layersGbk)
        for (const std::string& l : *layersGbk)
            m_layers.push_back(DxfTextCodec::FoldCase(DxfTextCodec::Decode(l, "CP936")));
    const DxfTagList& tags = drawing.Tags();
    Collect(tags.data() + drawing.EntitiesBegin(), tags.data() + drawing.EntitiesEnd());
    const DxfTagList& added = drawing.AddedEntities();
    Collect(added.data(), added.data() + added.size());
}

void DxfPipeScanner::Collect(const DxfTag* begin, const DxfTag* end)
{
    const DxfTag* start = nullptr;
    auto finish = [&](const DxfTag* stop) {
        if (!start)
            return;
        // Paper space entities (67 = 1 in the entity's own groups) are not part of the model.
        bool paper = false;
        for (const DxfTag* t = start + 1; t < stop && t->code != 0; ++t)
            if (t->code == 67 && t->value.find('1') != std::string::npos)
                paper = true;
        if (!paper)
            m_entities.push_back({start, stop});
    };
    for (const DxfTag* t = begin; t < end; ++t) {
        if (t->code != 0 || IsSubEntity(t->value))
            continue;
        finish(t);
        start = t;
    }
    finish(end);
}

bool DxfPipeScanner::LayerMatches(const std::string& fileLayer)
{
    if (m_allLayers)
        return true;
    for (const auto& [name, match] : m_layerCache)
        if (name == fileLayer)
            return match;
    const std::u32string folded = DxfTextCodec::FoldCase(DxfTextCodec::Decode(fileLayer, m_drawing.Charset()));
    bool match = false;
    for (const std::u32string& l : m_layers)
        match = match || l == folded;
    if (m_layerCache.size() < 256)
        m_layerCache.emplace_back(fileLayer, match);
    return match;
}

bool DxfPipeScanner::Points(const Entity& e, std::vector<CadPoint>& pts) const
{
    const std::string& type = e.begin->value;
    const bool line = type == "LINE", lw = type == "LWPOLYLINE", poly = type == "POLYLINE";
    if (!((line && (m_flags & 1)) || ((lw || poly) && (m_flags & 2))))
        return false;
    pts.clear();
    bool ok = true, mirrored = false;
    auto num = [&](const DxfTag& t) {
        double v = 0.0;
        ok = ok && dxf::ParseDouble(t.value, v);
        return v;
    };
    if (line) {
        CadPoint a{0, 0}, b{0, 0};
        for (const DxfTag* t = e.begin + 1; t < e.end; ++t)
            switch (t->code) {
            case 10: a.x = num(*t); break;
            case 20: a.y = num(*t); break;
            case 11: b.x = num(*t); break;
            case 21: b.y = num(*t); break;
            default: break;
            }
        pts = {a, b};
        return ok;
    }
    if (lw) {
        for (const DxfTag* t = e.begin + 1; t < e.end; ++t) {
            if (t->code == 10)
                pts.push_back({num(*t), 0.0});
            else if (t->code == 20 && !pts.empty())
                pts.back().y = num(*t);
            else if (t->code == 230)
                mirrored = num(*t) < 0;
        }
    } else {
        // 2D polylines only: not 3D polylines, meshes or polyface meshes.
        const DxfTag* t = e.begin + 1;
        long long flags = 0;
        for (; t < e.end && t->code != 0; ++t) {
            if (t->code == 70)
                dxf::ParseInt(t->value, flags);
            else if (t->code == 230)
                mirrored = num(*t) < 0;
        }
        if (flags & (8 | 16 | 64))
            return false;
        while (t < e.end) {
            const bool vertex = t->value == "VERTEX";
            CadPoint p{0, 0};
            long long vflags = 0;
            for (++t; t < e.end && t->code != 0; ++t) {
                if (!vertex)
                    continue;
                if (t->code == 10)
                    p.x = num(*t);
                else if (t->code == 20)
                    p.y = num(*t);
                else if (t->code == 70)
                    dxf::ParseInt(t->value, vflags);
            }
            // Points a curve or spline fit added are not the drawn vertices.
            if (vertex && !(vflags & (1 | 8)))
                pts.push_back(p);
        }
    }
    if (mirrored)   // extrusion (0, 0, -1): the object's x axis runs the other way
        for (CadPoint& p : pts)
            p.x = -p.x;
    return ok && !pts.empty();
}

int DxfPipeScanner::Run(ExtractPipeCallback callback, void* userData)
{
    int accepted = 0;
    int keepGoing = -1;
    std::vector<CadPoint> pts;
    const size_t n = m_entities.size();
    for (size_t i = 0; i < n && keepGoing != 0; ++i) {
        const int percent = std::min(99, static_cast<int>(std::lround(100.0 * static_cast<double>(i) / static_cast<double>(n))));
        const Entity& e = m_entities[i];
        std::string layer = "0";
        for (const DxfTag* t = e.begin + 1; t < e.end && t->code != 0; ++t)
            if (t->code == 8) {
                layer = t->value;
                break;
            }
        if (LayerMatches(layer) && Points(e, pts)) {
            if (callback(static_cast<int>(pts.size()), pts.data(), percent, userData, &keepGoing))
                ++accepted;
        } else {
            callback(0, nullptr, percent, userData, &keepGoing);
        }
    }
    return accepted;
}
