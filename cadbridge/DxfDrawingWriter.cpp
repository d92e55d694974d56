#include "DxfDrawingWriter.h"
#include "DxfDrawing.h"
#include "DxfError.h"
#include "DxfFileWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

void Append(std::string& out, const DxfTag& t)
{
    char code[16];
    std::snprintf(code, sizeof code, "%3d\n", t.code);
    out += code;
    out += t.value;
    out += '\n';
}

void AppendAll(std::string& out, const DxfTagList& tags)
{
    for (const DxfTag& t : tags)
        Append(out, t);
}

std::string Quoted(const std::string& name)
{
    return "\u201c" + name + "\u201d";
}

bool Is(const DxfTag& t, const char* value)
{
    return t.code == 0 && t.value == value;
}

[[noreturn]] void Broken(const DxfDrawing& d, size_t group, const std::string& what)
{
    throw DxfError("图纸" + Quoted(d.Path()) + "的结构有误（第" + std::to_string(group + 1) + "组: " + what +
                   "），不能写入，原文件未改动；请在CAD程序中修复后再试。");
}

// Every group lies in a section that is closed before the next opens, and the places the added
// groups go are inside the ENTITIES section and the LAYER table.
void CheckStructure(const DxfDrawing& d)
{
    const DxfTagList& tags = d.Tags();
    long open = -1;
    std::string name;
    bool entitiesSeen = false;
    for (size_t i = 0; i < tags.size(); ++i) {
        const DxfTag& t = tags[i];
        if (Is(t, "SECTION")) {
            if (open >= 0)
                Broken(d, i, "段" + name + "没有结束就开始了新的段");
            open = static_cast<long>(i);
            name = i + 1 < tags.size() && tags[i + 1].code == 2 ? tags[i + 1].value : std::string();
        } else if (Is(t, "ENDSEC")) {
            if (open < 0)
                Broken(d, i, "ENDSEC不在段中");
            if (name == "ENTITIES") {
                if (entitiesSeen)
                    Broken(d, i, "第二个ENTITIES段");
                entitiesSeen = true;
                if (d.EntitiesEnd() != i)
                    Broken(d, i, "ENTITIES段的结束位置不符");
            }
            open = -1;
        } else if (Is(t, "EOF")) {
            if (open >= 0)
                Broken(d, i, "段" + name + "没有结束");
            if (i + 1 != tags.size())
                Broken(d, i + 1, "EOF之后还有内容");
        } else if (open < 0 && t.code != 999) {
            Broken(d, i, "组不在任何段中");
        }
    }
    if (open >= 0)
        Broken(d, tags.size(), "段" + name + "没有结束");
    if (!entitiesSeen)
        Broken(d, tags.size(), "没有ENTITIES段");
    const long layerEnd = d.LayerTableEnd();
    if (d.AddedLayerCount() > 0 && (layerEnd < 0 || !Is(tags[static_cast<size_t>(layerEnd)], "ENDTAB")))
        Broken(d, static_cast<size_t>(std::max(layerEnd, 0L)), "图层表没有结束");
}

// A header variable's point, or false when its groups do not hold one.
bool ReadPoint(const DxfTagList& tags, size_t at, double p[2])
{
    return at + 2 < tags.size() && tags[at + 1].code == 10 && tags[at + 2].code == 20 &&
           dxf::ParseDouble(tags[at + 1].value, p[0]) && dxf::ParseDouble(tags[at + 2].value, p[1]) &&
           std::max(std::abs(p[0]), std::abs(p[1])) < 1e19;   // 1e20 marks an empty drawing
}

void AppendPoint(std::string& out, const char* name, const double p[2])
{
    Append(out, {9, name});
    Append(out, {10, dxf::FormatDouble(p[0])});
    Append(out, {20, dxf::FormatDouble(p[1])});
    Append(out, {30, "0.0"});
}

}   // namespace

std::string DxfDrawingWriter::Text(const DxfDrawing& d)
{
    CheckStructure(d);
    const DxfTagList& tags = d.Tags();
    std::string out;
    out.reserve(tags.size() * 14 + d.AddedEntities().size() * 14 + 1024);
    bool inHeader = false, unitsDone = d.Units() < 0, extentsDone = !d.HasAddedExtents();
    for (size_t i = 0; i < tags.size(); ++i) {
        const DxfTag& t = tags[i];
        if (Is(t, "SECTION") && i + 1 < tags.size() && tags[i + 1].code == 2 && tags[i + 1].value == "HEADER")
            inHeader = true;
        if (inHeader && Is(t, "ENDSEC")) {
            inHeader = false;
            if (!unitsDone) {
                Append(out, {9, "$INSUNITS"});
                Append(out, {70, std::to_string(d.Units())});
            }
            if (!extentsDone) {
                AppendPoint(out, "$EXTMIN", d.AddedMin());
                AppendPoint(out, "$EXTMAX", d.AddedMax());
            }
        }
        if (inHeader && t.code == 9 && t.value == "$INSUNITS" && !unitsDone && i + 1 < tags.size()) {
            Append(out, t);
            Append(out, {70, std::to_string(d.Units())});
            unitsDone = true;
            ++i;
            continue;
        }
        if (inHeader && t.code == 9 && !extentsDone && (t.value == "$EXTMIN" || t.value == "$EXTMAX")) {
            const bool low = t.value == "$EXTMIN";
            double p[2];
            const double* a = low ? d.AddedMin() : d.AddedMax();
            double q[2] = {a[0], a[1]};
            if (ReadPoint(tags, i, p))
                for (int k = 0; k < 2; ++k)
                    q[k] = low ? std::min(p[k], q[k]) : std::max(p[k], q[k]);
            AppendPoint(out, t.value.c_str(), q);
            size_t j = i + 1;
            while (j < tags.size() && (tags[j].code == 10 || tags[j].code == 20 || tags[j].code == 30))
                ++j;
            i = j - 1;
            if (!low)
                extentsDone = true;
            continue;
        }
        if (i == d.EntitiesEnd())
            AppendAll(out, d.AddedEntities());
        if (static_cast<long>(i) == d.LayerTableEnd())
            AppendAll(out, d.AddedLayers());
        if (static_cast<long>(i) == d.HandSeedTag()) {
            Append(out, {5, dxf::FormatHandle(d.HandleSeed())});
            continue;
        }
        if (static_cast<long>(i) == d.LayerCountTag() && d.AddedLayerCount() > 0) {
            long long n = 0;
            dxf::ParseInt(t.value, n);
            Append(out, {70, std::to_string(n + d.AddedLayerCount())});
            continue;
        }
        Append(out, t);
    }
    return out;
}

void DxfDrawingWriter::Save(DxfDrawing& d, const std::string& path)
{
    const std::string text = Text(d);
    // The file about to be replaced is kept; a backup that cannot be made stops the save.
    DxfFileWriter::Check(path);
    const std::string target = DxfFileWriter::ResolveTarget(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        std::ifstream in(target, std::ios::binary);
        std::ostringstream old;
        old << in.rdbuf();
        if (!in.good() && !in.eof())
            throw DxfError("无法读取" + Quoted(path) + "以保留原图纸，图纸没有保存。");
        const std::string bak = DxfFileWriter::BackupPath(target);
        try {
            DxfFileWriter::Write(bak, old.str());
        } catch (const DxfError& e) {
            throw DxfError("无法保留原图纸为" + Quoted(bak) + "，图纸没有保存。" + e.what());
        }
    }
    DxfFileWriter::Write(path, text);
    d.SetPath(path);
    d.SetSaved();
}
