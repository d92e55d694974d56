#include "DxfPipeScanner.h"
#include "DxfDrawing.h"
#include "DxfTextCodec.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

bool IsSubEntity(const std::string& type)
{
    return type == "VERTEX" || type == "SEQEND" || type == "ATTRIB";
}

// Block references expanded in one scan, nesting and arrays included: a bound on the work a
// small file can ask for. Every entity reached inside a block counts, on any layer: nested
// references to entities on other layers cost as much to walk as paths do, and a few hundred
// bytes of self-referencing arrays must not become millions of pipes.
constexpr long long kMaxPaths = 2'000'000;
constexpr long long kMaxVisits = 250'000;
constexpr int kMaxDepth = 32;

std::u32string Folded(const std::string& bytes, const std::string& charset)
{
    return DxfTextCodec::FoldCase(DxfTextCodec::Decode(bytes, charset));
}

}   // namespace

DxfPipeScanner::DxfPipeScanner(const DxfDrawing& drawing, const std::vector<std::string>* layersGbk, uint8_t flags)
    : m_drawing(drawing), m_allLayers(layersGbk == nullptr), m_flags(flags), m_maxVisits(kMaxVisits)
{
    if (layersGbk) {
        m_layersGbk = *layersGbk;
        for (const std::string& l : *layersGbk)
            m_layers.push_back(Folded(l, "CP936"));
    }
    m_layerSeen.assign(m_layers.size(), false);
    const DxfTagList& tags = drawing.Tags();
    Collect(tags.data() + drawing.EntitiesBegin(), tags.data() + drawing.EntitiesEnd(), m_entities, true);
    const DxfTagList& added = drawing.AddedEntities();
    Collect(added.data(), added.data() + added.size(), m_entities, true);
    ReadBlocks();
    if (m_allLayers)
        DetectOwnDrawing();
}

void DxfPipeScanner::Collect(const DxfTag* begin, const DxfTag* end, std::vector<Entity>& into, bool modelOnly) const
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
        if (!paper || !modelOnly)
            into.push_back({start, stop});
    };
    for (const DxfTag* t = begin; t < end; ++t) {
        if (t->code != 0 || IsSubEntity(t->value))
            continue;
        finish(t);
        start = t;
    }
    finish(end);
}

void DxfPipeScanner::ReadBlocks()
{
    const DxfTagList& tags = m_drawing.Tags();
    bool inBlocks = false;
    for (size_t i = 0; i < tags.size(); ++i) {
        const DxfTag& t = tags[i];
        if (t.code != 0)
            continue;
        if (t.value == "SECTION")
            inBlocks = i + 1 < tags.size() && tags[i + 1].value == "BLOCKS";
        if (!inBlocks || t.value != "BLOCK")
            continue;
        Block b;
        std::string name;
        size_t j = i + 1;
        for (; j < tags.size() && tags[j].code != 0; ++j) {
            double v = 0;
            if (tags[j].code == 2 && name.empty())
                name = tags[j].value;
            else if ((tags[j].code == 10 || tags[j].code == 20 || tags[j].code == 30) &&
                     dxf::ParseDouble(tags[j].value, v))
                (tags[j].code == 10 ? b.x : tags[j].code == 20 ? b.y : b.z) = v;
        }
        size_t k = j;
        while (k < tags.size() && !(tags[k].code == 0 && (tags[k].value == "ENDBLK" || tags[k].value == "ENDSEC")))
            ++k;
        Collect(tags.data() + j, tags.data() + k, b.entities, false);
        m_blocks[Folded(name, m_drawing.Charset())] = std::move(b);
        i = k > i ? k - 1 : i;
    }
}

void DxfPipeScanner::DetectOwnDrawing()
{
    // QEN's export: its default pipe and node layers, and node discs on the node layer.
    bool pipe = false, node = false;
    for (const std::string& l : m_drawing.LayerNames()) {
        const std::u32string f = Folded(l, m_drawing.Charset());
        pipe = pipe || f == U"PIPE";
        node = node || f == U"NODE";
    }
    if (!pipe || !node)
        return;
    DxfEntityGeometry::Path p;
    for (const Entity& e : m_entities)
        if (e.begin->value == "LWPOLYLINE" && Folded(LayerOf(e, ""), m_drawing.Charset()) == U"NODE" &&
            DxfEntityGeometry::Read(e.begin, e.end, DxfTransform(), p) == DxfEntityGeometry::Outcome::NotPath &&
            p.kind == "个圆环") {
            m_ownDrawing = true;
            m_allLayers = false;
            m_layers = {U"PIPE"};
            m_layerSeen = {true};
            return;
        }
}

std::string DxfPipeScanner::LayerOf(const Entity& e, const std::string& inherited) const
{
    std::string layer = "0";
    for (const DxfTag* t = e.begin + 1; t < e.end && t->code != 0; ++t)
        if (t->code == 8) {
            layer = t->value;
            break;
        }
    // Entities of a block drawn on layer 0 take the layer of the reference.
    return layer == "0" && !inherited.empty() ? inherited : layer;
}

bool DxfPipeScanner::LayerMatches(const std::string& fileLayer)
{
    if (m_allLayers)
        return true;
    for (const auto& [name, match] : m_layerCache)
        if (name == fileLayer)
            return match;
    const std::u32string folded = Folded(fileLayer, m_drawing.Charset());
    bool match = false;
    for (size_t i = 0; i < m_layers.size(); ++i)
        if (m_layers[i] == folded)
            match = m_layerSeen[i] = true;
    if (m_layerCache.size() < 256)
        m_layerCache.emplace_back(fileLayer, match);
    return match;
}

size_t DxfPipeScanner::Line(const Entity& e) const
{
    const DxfTagList& tags = m_drawing.Tags();
    if (tags.empty() || e.begin < tags.data() || e.begin >= tags.data() + tags.size())
        return 0;
    // The line of the entity's type name, as a user searching the file finds it.
    const size_t line = m_drawing.SourceLine(static_cast<size_t>(e.begin - tags.data()));
    return line > 0 ? line + 1 : 0;
}

void DxfPipeScanner::Skip(const std::string& kind, const std::string& layer, const Entity& e)
{
    const auto [it, fresh] = m_skippedIndex.try_emplace({kind, layer}, m_skipped.size());
    if (fresh)
        m_skipped.push_back({kind, layer, 0, Line(e)});
    ++m_skipped[it->second].count;
}

void DxfPipeScanner::Visit(const Entity& e, const std::string& inherited, const DxfTransform& place, int depth,
                           Emit& emit)
{
    if (emit.keepGoing == 0)
        return;
    if (depth > 0)
        ++m_visits;
    const std::string& type = e.begin->value;
    const std::string layer = LayerOf(e, inherited);
    if (type == "INSERT") {
        Insert(e, layer, place, depth, emit);
        return;
    }
    if (!LayerMatches(layer)) {
        ++m_otherLayers;
        return;
    }
    const bool line = type == "LINE", poly = type == "LWPOLYLINE" || type == "POLYLINE" || type == "ARC";
    if ((line && !(m_flags & 1)) || (poly && !(m_flags & 2))) {
        Skip(DxfEntityGeometry::KindName(type) + (line ? "(未选LINE)" : "(未选PLINE)"), layer, e);
        return;
    }
    if (++m_paths > kMaxPaths)
        return;
    const auto outcome = DxfEntityGeometry::Read(e.begin, e.end, place, m_current);
    if (outcome == DxfEntityGeometry::Outcome::Damaged) {
        Skip("个坐标无效或超出范围的图元", layer, e);
        return;
    }
    if (outcome == DxfEntityGeometry::Outcome::NotPath) {
        Skip(m_current.kind, layer, e);
        return;
    }
    if (m_ownDrawing && m_current.closed) {
        Skip("个闭合图形", layer, e);
        return;
    }
    m_currentLine = Line(e);
    ++emit.calls;
    if (emit.callback(static_cast<int>(m_current.points.size()), m_current.points.data(), emit.percent, emit.user,
                      &emit.keepGoing))
        ++emit.accepted;
}

void DxfPipeScanner::Insert(const Entity& e, const std::string& layer, const DxfTransform& place, int depth, Emit& emit)
{
    std::string name;
    double x = 0, y = 0, z = 0, sx = 1, sy = 1, sz = 1, rot = 0, dx = 0, dy = 0, nx = 0, ny = 0, nz = 1;
    long long cols = 1, rows = 1;
    bool ok = true;
    for (const DxfTag* t = e.begin + 1; t < e.end && t->code != 0; ++t) {
        double v = 0;
        long long n = 0;
        if (t->code == 2)
            name = t->value;
        else if (t->code == 70 || t->code == 71)
            ok = dxf::ParseInt(t->value, n) && ok, (t->code == 70 ? cols : rows) = n;
        else if (dxf::IsDoubleCode(t->code) || t->code == 50) {
            ok = dxf::ParseDouble(t->value, v) && ok;
            switch (t->code) {
            case 10:
                x = v;
                break;
            case 20:
                y = v;
                break;
            case 30:
                z = v;
                break;
            case 41:
                sx = v;
                break;
            case 42:
                sy = v;
                break;
            case 43:
                sz = v;
                break;
            case 50:
                rot = v;
                break;
            case 44:
                dx = v;
                break;
            case 45:
                dy = v;
                break;
            case 210:
                nx = v;
                break;
            case 220:
                ny = v;
                break;
            case 230:
                nz = v;
                break;
            default:
                break;
            }
        }
    }
    const auto it = m_blocks.find(Folded(name, m_drawing.Charset()));
    if (!ok || cols < 1 || rows < 1) {
        if (LayerMatches(layer))
            Skip("个坐标无效或超出范围的图元", layer, e);
        return;
    }
    const double expanded = static_cast<double>(cols) * static_cast<double>(rows) *
                            static_cast<double>(it == m_blocks.end() ? 0 : it->second.entities.size());
    if (it == m_blocks.end() || depth >= kMaxDepth || expanded + static_cast<double>(m_paths) > kMaxPaths ||
        expanded + static_cast<double>(m_visits) > static_cast<double>(m_maxVisits)) {
        if (LayerMatches(layer))
            Skip(it == m_blocks.end() ? "个找不到块定义的块参照"
                 : depth >= kMaxDepth ? "个嵌套过深的块参照"
                                      : "个展开过大的块参照",
                 layer, e);
        return;
    }
    const Block& b = it->second;
    const DxfTransform frame = place * DxfTransform::Ocs(nx, ny, nz) * DxfTransform::Shift(x, y, z) *
                               DxfTransform::RotateZ(rot * std::numbers::pi / 180);
    const DxfTransform local = DxfTransform::Scale(sx, sy, sz) * DxfTransform::Shift(-b.x, -b.y, -b.z);
    for (long long r = 0; r < rows; ++r)
        for (long long c = 0; c < cols; ++c) {
            // Array cells step along the rotated axes of the reference.
            const DxfTransform cell =
                frame * DxfTransform::Shift(static_cast<double>(c) * dx, static_cast<double>(r) * dy, 0) * local;
            for (const Entity& inner : b.entities)
                Visit(inner, layer, cell, depth + 1, emit);
        }
}

int DxfPipeScanner::Run(ExtractPipeCallback callback, void* userData)
{
    Emit emit{callback, userData, 0, -1, 0, 0};
    const size_t n = m_entities.size();
    for (size_t i = 0; i < n && emit.keepGoing != 0; ++i) {
        emit.percent =
            std::min(99, static_cast<int>(std::lround(100.0 * static_cast<double>(i) / static_cast<double>(n))));
        emit.calls = 0;
        m_currentLine = 0;
        Visit(m_entities[i], "", DxfTransform(), 0, emit);
        if (emit.calls == 0 && emit.keepGoing != 0) {
            m_current = DxfEntityGeometry::Path();
            callback(0, nullptr, emit.percent, userData, &emit.keepGoing);
        }
    }
    return emit.accepted;
}

std::string DxfPipeScanner::Utf8(const std::string& fileText) const
{
    // Names in messages stay short: a name of any length is still recognisable by its start.
    std::u32string text = DxfTextCodec::Decode(fileText, m_drawing.Charset());
    if (text.size() > 64)
        text = text.substr(0, 60) + U"\u2026";
    return DxfTextCodec::Encode(text, "UTF-8");
}

std::string DxfPipeScanner::Report() const
{
    std::string out;
    if (m_ownDrawing)
        out += "图纸由QEN生成(有图层PIPE和NODE及节点符号)，只引入管道图层PIPE\n";
    constexpr size_t kLines = 30, kNames = 100;
    long long rest = 0;
    for (size_t i = 0; i < m_skipped.size(); ++i) {
        const Skipped& s = m_skipped[i];
        if (i >= kLines) {
            rest += s.count;
            continue;
        }
        out += "跳过 " + std::to_string(s.count) + " " + s.kind + " (层 " + Utf8(s.layer) + ")";
        if (s.line > 0)
            out += "，第一个在第" + std::to_string(s.line) + "行";
        out += "\n";
    }
    if (rest > 0)
        out += "另跳过 " + std::to_string(rest) + " 个图元 (" + std::to_string(m_skipped.size() - kLines) +
               " 种图元和图层)\n";
    if (!m_allLayers && m_otherLayers > 0 && !m_ownDrawing)
        out += "另有 " + std::to_string(m_otherLayers) + " 个图元不在所选图层上\n";
    size_t missing = 0;
    for (size_t i = 0; i < m_layers.size() && !m_ownDrawing; ++i) {
        bool inTable = false;
        for (const std::string& l : m_drawing.LayerNames())
            inTable = inTable || Folded(l, m_drawing.Charset()) == m_layers[i];
        if (m_layerSeen[i] || inTable)
            continue;
        if (++missing > 10)
            continue;
        std::string names;
        const auto& all = m_drawing.LayerNames();
        for (size_t k = 0; k < all.size() && k < kNames; ++k)
            names += (names.empty() ? "" : ", ") + Utf8(all[k]);
        if (all.size() > kNames)
            names += " …(共 " + std::to_string(all.size()) + " 个)";
        std::u32string typed = DxfTextCodec::Decode(m_layersGbk[i], "CP936");
        if (typed.size() > 64)
            typed = typed.substr(0, 60) + U"\u2026";
        out += "警告: 图层\u201c" + DxfTextCodec::Encode(typed, "UTF-8") +
               "\u201d在图纸中不存在；图纸的图层: " + (names.empty() ? "(无)" : names) + "\n";
    }
    if (missing > 10)
        out += "另有 " + std::to_string(missing - 10) + " 个图层名在图纸中不存在\n";
    return out;
}
