#include "DxfTagReader.h"
#include "DxfError.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{1024} << 20;

std::string Quoted(const std::string& name)
{
    return "\u201c" + name + "\u201d";
}

std::string_view NextLine(const std::string& data, size_t& pos)
{
    const size_t start = pos;
    size_t end = data.find('\n', pos);
    if (end == std::string::npos)
        end = data.size();
    pos = end < data.size() ? end + 1 : end;
    std::string_view line(data.data() + start, end - start);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

}   // namespace

DxfTagList DxfTagReader::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw DxfError("无法打开文件" + Quoted(path) + "。");
    // The tags take about four times the file: a larger file would fill the memory before its
    // first line is looked at.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxFileBytes)
        throw DxfError(Quoted(path) + "过大（超过 " + std::to_string(kMaxFileBytes >> 20) +
                       " MB），不能作为DXF图纸读入。");
    std::string data;
    if (!ec)
        data.reserve(static_cast<size_t>(size));
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        data.append(chunk, static_cast<size_t>(in.gcount()));
        if (data.size() > kMaxFileBytes)   // grown since, or a file of no size (a FIFO)
            throw DxfError(Quoted(path) + "过大（超过 " + std::to_string(kMaxFileBytes >> 20) +
                           " MB），不能作为DXF图纸读入。");
    }
    if (in.bad())
        throw DxfError("读取文件" + Quoted(path) + "时出错。");
    return ReadBuffer(data, path);
}

DxfTagList DxfTagReader::ReadBuffer(const std::string& data, const std::string& name)
{
    if (data.compare(0, 18, "AutoCAD Binary DXF") == 0)
        throw DxfError(Quoted(name) + "是二进制DXF文件，请先在CAD程序中将它另存为ASCII DXF文件。");
    if (data.size() >= 6 && data.compare(0, 4, "AC10") == 0 && data[4] >= '0' && data[4] <= '9')
        throw DxfError(Quoted(name) + "是DWG图纸，请先在CAD程序中将它另存为ASCII DXF文件。");

    DxfTagList tags;
    tags.reserve(data.size() / 12);
    size_t pos = data.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int line = 0;
    while (pos < data.size()) {
        const std::string_view codeText = NextLine(data, pos);
        ++line;
        long long code = 0;
        if (!dxf::ParseInt(codeText, code) || code < -5 || code > 1071) {
            if (codeText.find_first_not_of(" \t") == std::string_view::npos && pos >= data.size())
                break;   // blank lines at the end
            throw DxfError(Quoted(name) + "第" + std::to_string(line) +
                           "行不是DXF组码，文件不是ASCII DXF文件或已损坏。");
        }
        if (pos >= data.size())
            throw DxfError(Quoted(name) + "第" + std::to_string(line) + "行的组码后缺少值，文件不完整。");
        const std::string_view value = NextLine(data, pos);
        ++line;
        tags.push_back({static_cast<int>(code), std::string(value)});
        if (code == 0 && value == "EOF")
            break;
    }
    if (tags.empty() || tags.back().code != 0 || tags.back().value != "EOF")
        throw DxfError(Quoted(name) + "没有以EOF结束，文件不完整。");
    return tags;
}
