#include "DxfDrawingWriter.h"
#include "DxfDrawing.h"
#include "DxfError.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <filesystem>
#include <unistd.h>

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

} // namespace

std::string DxfDrawingWriter::Text(const DxfDrawing& d)
{
    const DxfTagList& tags = d.Tags();
    std::string out;
    out.reserve(tags.size() * 14 + d.AddedEntities().size() * 14 + 1024);
    for (size_t i = 0; i < tags.size(); ++i) {
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
            dxf::ParseInt(tags[i].value, n);
            Append(out, {70, std::to_string(n + d.AddedLayerCount())});
            continue;
        }
        Append(out, tags[i]);
    }
    return out;
}

void DxfDrawingWriter::Save(DxfDrawing& d, const std::string& path)
{
    namespace fs = std::filesystem;
    const std::string text = Text(d);
    const fs::path target(path);
    std::string tmp = (target.parent_path().empty() ? fs::path(".") : target.parent_path()).string() + "/."
        + target.filename().string() + ".XXXXXX";
    const int fd = mkstemp(tmp.data());
    if (fd < 0)
        throw DxfError("无法在" + Quoted(target.parent_path().string()) + "中创建文件，图纸没有保存。");
    size_t done = 0;
    bool ok = true;
    while (ok && done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        ok = n > 0;
        done += ok ? static_cast<size_t>(n) : 0;
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok) {
        std::remove(tmp.c_str());
        throw DxfError("写入" + Quoted(path) + "时出错（磁盘已满？），图纸没有保存，原文件未改动。");
    }
    chmod(tmp.c_str(), 0644);
    std::error_code ec;
    if (fs::exists(target, ec)) {
        fs::path bak = target;
        bak.replace_extension(".bak");
        fs::copy_file(target, bak, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            std::remove(tmp.c_str());
            throw DxfError("无法保留原图纸为" + Quoted(bak.string()) + "，图纸没有保存。");
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        throw DxfError("无法写入" + Quoted(path) + "，图纸没有保存。");
    }
    d.SetPath(path);
    d.SetSaved();
}
