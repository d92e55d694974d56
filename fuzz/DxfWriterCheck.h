// The drawing writer's round trip, shared by its fuzz harness and its tests: a drawing read from
// bytes gets layers and entities added, is written, and must read again with every entity it had
// plus ours, inside a sound structure, with handles of ours that no other object has.
#pragma once
#include "cadbridge/DxfDrawing.h"
#include "cadbridge/DxfDrawingWriter.h"
#include "cadbridge/DxfEntityBuilder.h"
#include "cadbridge/DxfError.h"
#include "cadbridge/DxfTagReader.h"
#include "cadbridge/DxfTextCodec.h"

#include <memory>
#include <set>
#include <string>

namespace dxfcheck {

inline std::set<std::string> Handles(const DxfTagList& tags)
{
    std::set<std::string> h;
    bool header = false;
    for (size_t i = 0; i < tags.size(); ++i) {
        if (tags[i].code == 0 && tags[i].value == "SECTION")
            header = i + 1 < tags.size() && tags[i + 1].value == "HEADER";
        else if ((tags[i].code == 5 || tags[i].code == 105) && !header)
            h.insert(tags[i].value);
    }
    return h;
}

// Adds QEN's kinds of entities: a pipe, a node disc, a closed polyline, a text in Chinese, a
// spline-fitted curve and a circle on a GBK-named layer and an ASCII one.
inline void AddOurs(DxfDrawing& d)
{
    const std::string gbk = "\xb9\xdc\xb5\xc0";   // 管道
    for (const std::string& layer : {std::string("QEN_PIPE"), gbk}) {
        d.PrepareFor(layer, true);
        const std::string fileName = DxfTextCodec::FromGbk(layer, d.Charset());
        if (!d.HasLayer(fileName))
            d.AddLayer(fileName);
        DxfEntityBuilder b(d, layer);
        b.LwPolyline({{0, 0}, {10, 0}, {10, 5}}, false, -1.0);
        DxfEntityBuilder::Vertex v1{-0.5, 0, 1.0}, v2{0.5, 0, 1.0};
        b.LwPolyline({v1, v2}, true, 1.0);
        b.Line(0, 0, 1e6, -1e6);
        b.Circle(3, 4, 5);
        b.Text("\xbd\xda\xb5\xe3J1 DN300", 1, 2, 3.5, 0.5, DxfEntityBuilder::Center, DxfEntityBuilder::Bottom);
        b.Polyline2d({{0, 0}, {5, 5}, {10, 0}, {15, 5}}, 2, false);
        b.Polyline2d({{0, 0}, {5, 5}, {10, 0}}, 0, true);
    }
}

// "" when the round trip holds, else what broke. Inputs that do not read, or that the writer
// refuses with a reason, hold trivially.
inline std::string RoundTrip(const std::string& bytes, std::string* written = nullptr)
{
    std::unique_ptr<DxfDrawing> d;
    size_t added = 0;
    std::set<std::string> old;
    std::string text;
    try {
        d = DxfDrawing::FromTags(DxfTagReader::ReadBuffer(bytes, "fuzz.dxf"), "fuzz.dxf");
        old = Handles(d->Tags());
        AddOurs(*d);
        old.merge(Handles(d->Tags()));   // a re-encoded drawing keeps its handles
        text = DxfDrawingWriter::Text(*d);
    } catch (const DxfError&) {
        return {};
    }
    for (const DxfTag& t : d->AddedEntities())
        added += t.code == 0 && t.value != "VERTEX" && t.value != "SEQEND" ? 1 : 0;
    if (written)
        *written = text;
    std::unique_ptr<DxfDrawing> back;
    try {
        back = DxfDrawing::FromTags(DxfTagReader::ReadBuffer(text, "written.dxf"), "written.dxf");
        DxfDrawingWriter::Text(*back);
    } catch (const DxfError& e) {
        return std::string("the written drawing does not read back: ") + e.what();
    }
    size_t after = 0;
    for (size_t i = back->EntitiesBegin(); i < back->EntitiesEnd(); ++i) {
        const DxfTag& t = back->Tags()[i];
        after += t.code == 0 && t.value != "VERTEX" && t.value != "SEQEND" ? 1 : 0;
    }
    size_t had = 0;
    for (size_t i = d->EntitiesBegin(); i < d->EntitiesEnd(); ++i) {
        const DxfTag& t = d->Tags()[i];
        had += t.code == 0 && t.value != "VERTEX" && t.value != "SEQEND" ? 1 : 0;
    }
    if (after != had + added)
        return "entities: had " + std::to_string(had) + ", added " + std::to_string(added) + ", read back " +
               std::to_string(after);
    if (!d->UsesHandles())
        return {};
    std::set<std::string> ours;
    for (const DxfTag& t : d->AddedEntities())
        if (t.code == 5 && (!ours.insert(t.value).second || old.count(t.value) || t.value == "0"))
            return "handle " + t.value + " used twice";
    for (const DxfTag& t : d->AddedLayers())
        if (t.code == 5 && (!ours.insert(t.value).second || old.count(t.value) || t.value == "0"))
            return "layer handle " + t.value + " used twice";
    return {};
}

}   // namespace dxfcheck
