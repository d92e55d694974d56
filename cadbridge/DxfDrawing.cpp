#include "DxfDrawing.h"
#include "DxfError.h"
#include "DxfTagReader.h"
#include "DxfTemplate.h"
#include "DxfTextCodec.h"

#include <algorithm>

namespace {

bool SameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
               return up(x) == up(y);
           });
}

}   // namespace

std::unique_ptr<DxfDrawing> DxfDrawing::Load(const std::string& path)
{
    auto d = FromTags(DxfTagReader::ReadFile(path), path);
    d->m_cameFromFile = true;
    return d;
}

std::unique_ptr<DxfDrawing> DxfDrawing::New()
{
    auto d = FromTags(DxfTemplate::Tags(), std::string());
    d->m_modified = true;   // a new drawing is written even when nothing is drawn into it
    return d;
}

std::unique_ptr<DxfDrawing> DxfDrawing::FromTags(DxfTagList tags, const std::string& path)
{
    std::unique_ptr<DxfDrawing> d(new DxfDrawing);
    d->m_tags = std::move(tags);
    d->m_path = path;
    d->CheckStructure();
    d->Analyse();
    return d;
}

void DxfDrawing::Analyse()
{
    // At most two passes add a missing section or table; a third finds both.
    for (int pass = 0; pass < 3 && AnalysePass(); ++pass) {
    }
}

bool DxfDrawing::AnalysePass()
{
    unsigned long long maxHandle = 0, seed = 0;
    bool haveEntities = false, haveTables = false, handling = false;
    std::string section;
    long blocksAt = -1;
    m_layerNames.clear();
    m_layerTableEnd = m_layerCountTag = m_handSeedTag = m_codePageTag = m_headerBegin = -1;
    m_inLayerTable = false;
    size_t tablesEnd = 0;
    for (size_t i = 0; i < m_tags.size(); ++i) {
        const DxfTag& t = m_tags[i];
        if ((t.code == 5 || t.code == 105) && !section.empty() && section != "HEADER") {   // not $HANDSEED
            unsigned long long h = 0;
            if (dxf::ParseHandle(t.value, h))
                maxHandle = std::max(maxHandle, h);
        }
        if (t.code == 0 && t.value == "SECTION" && i + 1 < m_tags.size() && m_tags[i + 1].code == 2) {
            section = m_tags[++i].value;
            if (section == "HEADER")
                m_headerBegin = static_cast<long>(i + 1);
            if (section == "BLOCKS" && blocksAt < 0)
                blocksAt = static_cast<long>(i - 1);
            if (section == "ENTITIES") {
                haveEntities = true;
                m_entitiesBegin = i + 1;
            } else if (section == "TABLES") {
                haveTables = true;
            }
            continue;
        }
        if (t.code == 0 && t.value == "ENDSEC") {
            if (section == "ENTITIES")
                m_entitiesEnd = i;
            if (section == "TABLES")
                tablesEnd = i;
            section.clear();
            continue;
        }
        if (section == "HEADER" && t.code == 9 && i + 1 < m_tags.size()) {
            const DxfTag& v = m_tags[i + 1];
            if (t.value == "$ACADVER")
                m_version = v.value;
            else if (t.value == "$DWGCODEPAGE") {
                const std::string cs = DxfTextCodec::CharsetOfCodePage(v.value);
                if (!cs.empty())
                    m_charset = cs;
                m_codePageTag = static_cast<long>(i + 1);
            } else if (t.value == "$HANDSEED") {
                m_handSeedTag = static_cast<long>(i + 1);
                dxf::ParseHandle(v.value, seed);
            } else if (t.value == "$HANDLING") {
                long long h = 0;
                handling = dxf::ParseInt(v.value, h) && h != 0;
            }
        }
        if (section == "TABLES")
            AnalyseTables(i);
    }
    if (m_version >= "AC1021")
        m_charset = "UTF-8";
    m_usesHandles = HasSubclasses() || handling;
    // A seed at the top of the range (FFFFFFFFFFFFFFFF) would make new handles wrap to 0 and
    // repeat those in use: then handles go on above the highest one in use.
    m_nextHandle = seed > maxHandle && seed <= ~0ull - HandleRoom ? seed : maxHandle + 1;
    m_handlesFull = m_nextHandle == 0 || m_nextHandle > ~0ull - HandleRoom;
    m_maxHandle = maxHandle;

    // Drawings without a LAYER table or ENTITIES section (plain R12 files) get empty ones.
    const size_t eof = m_tags.size() - 1;
    if (!haveEntities) {
        m_tags.insert(m_tags.begin() + static_cast<long>(eof), {{0, "SECTION"}, {2, "ENTITIES"}, {0, "ENDSEC"}});
        m_inserted.emplace_back(eof, 3);
        return true;
    }
    if (m_layerTableEnd < 0) {
        DxfTagList table = {{0, "TABLE"}, {2, "LAYER"}, {70, "0"}, {0, "ENDTAB"}};
        if (haveTables) {
            m_tags.insert(m_tags.begin() + static_cast<long>(tablesEnd), table.begin(), table.end());
            m_inserted.emplace_back(tablesEnd, table.size());
        } else {
            // Tables come before the blocks and entities.
            const size_t at = blocksAt >= 0 ? static_cast<size_t>(blocksAt) : m_entitiesBegin - 2;
            table.insert(table.begin(), {{0, "SECTION"}, {2, "TABLES"}});
            table.push_back({0, "ENDSEC"});
            m_tags.insert(m_tags.begin() + static_cast<long>(at), table.begin(), table.end());
            m_inserted.emplace_back(at, table.size());
        }
        return true;
    }
    return false;
}

void DxfDrawing::CheckStructure() const
{
    // Sections and tables must nest as the format says: anything else is a damaged file whose
    // entities or layers would otherwise be read partly, twice or not at all.
    const std::string file = "\u201c" + m_path + "\u201d";
    auto fail = [&](size_t i, const std::string& what) {
        throw DxfError(file + "第" + std::to_string(2 * i + 2) + "行" + what + "，文件已损坏。");
    };
    std::string section, table;
    size_t sectionAt = 0, tableAt = 0;
    std::vector<std::string> seen;
    for (size_t i = 0; i < m_tags.size(); ++i) {
        const DxfTag& t = m_tags[i];
        if (t.code != 0)
            continue;
        if (t.value == "SECTION") {
            if (!section.empty())
                fail(i, "的SECTION出现在" + section + "段之中(该段没有以ENDSEC结束)");
            if (i + 1 >= m_tags.size() || m_tags[i + 1].code != 2)
                fail(i, "的SECTION没有段名");
            section = m_tags[i + 1].value;
            sectionAt = i;
            if (std::find(seen.begin(), seen.end(), section) != seen.end())
                fail(i, "是第二个" + section + "段");
            seen.push_back(section);
        } else if (t.value == "ENDSEC") {
            if (section.empty())
                fail(i, "的ENDSEC不属于任何段");
            if (!table.empty())
                fail(tableAt, "的表" + table + "没有以ENDTAB结束");
            section.clear();
        } else if (t.value == "TABLE" && section == "TABLES") {
            if (!table.empty())
                fail(tableAt, "的表" + table + "没有以ENDTAB结束");
            table = i + 1 < m_tags.size() && m_tags[i + 1].code == 2 ? m_tags[i + 1].value : "?";
            tableAt = i;
        } else if (t.value == "ENDTAB" && section == "TABLES") {
            if (table.empty())
                fail(i, "的ENDTAB不属于任何表");
            table.clear();
        } else if (t.value == "EOF") {
            if (!section.empty())
                fail(sectionAt, "的" + section + "段没有以ENDSEC结束");
        }
    }
}

void DxfDrawing::AnalyseTables(size_t& i)
{
    const DxfTag& t = m_tags[i];
    if (!(t.code == 0 && (t.value == "LAYER" || t.value == "LTYPE" || t.value == "BLOCK_RECORD" || t.value == "TABLE" ||
                          t.value == "ENDTAB")))
        return;
    if (t.value == "ENDTAB") {
        if (m_inLayerTable)
            m_layerTableEnd = static_cast<long>(i);
        m_inLayerTable = false;
        return;
    }
    // Read the record's name, handle and (for a table header) entry count up to the next record.
    std::string name, handle;
    long countTag = -1;
    size_t j = i + 1;
    for (; j < m_tags.size() && m_tags[j].code != 0; ++j) {
        if (m_tags[j].code == 2 && name.empty())
            name = m_tags[j].value;
        else if ((m_tags[j].code == 5 || m_tags[j].code == 105) && handle.empty())
            handle = m_tags[j].value;
        else if (m_tags[j].code == 70 && countTag < 0)
            countTag = static_cast<long>(j);
    }
    if (t.value == "TABLE" && name == "LAYER") {
        m_layerTableHandle = handle;
        m_layerCountTag = countTag;
        m_inLayerTable = true;
    } else if (t.value == "LAYER") {
        m_layerNames.push_back(name);
    } else if (t.value == "LTYPE" && SameNoCase(name, "CONTINUOUS")) {
        m_continuous = name;
    } else if (t.value == "BLOCK_RECORD" && SameNoCase(name, "*Model_Space")) {
        m_modelSpaceOwner = handle;
    }
    // The record's groups are left to the caller's loop, which counts their handles.
}

void DxfDrawing::Extend(double x, double y)
{
    if (!HasAddedExtents()) {
        m_addedMin[0] = m_addedMax[0] = x;
        m_addedMin[1] = m_addedMax[1] = y;
        return;
    }
    m_addedMin[0] = std::min(m_addedMin[0], x);
    m_addedMin[1] = std::min(m_addedMin[1], y);
    m_addedMax[0] = std::max(m_addedMax[0], x);
    m_addedMax[1] = std::max(m_addedMax[1], y);
}

bool DxfDrawing::SetAddedLayerColour(const std::string& fileName, int colour)
{
    for (size_t i = 0; i < m_addedLayers.size(); ++i) {
        if (m_addedLayers[i].code != 2 || m_addedLayers[i].value != fileName)
            continue;
        for (size_t j = i + 1; j < m_addedLayers.size() && m_addedLayers[j].code != 0; ++j)
            if (m_addedLayers[j].code == 62)
                m_addedLayers[j].value = std::to_string(colour);
        return true;
    }
    return false;
}

size_t DxfDrawing::SourceLine(size_t tag) const
{
    for (auto it = m_inserted.rbegin(); it != m_inserted.rend(); ++it) {
        if (tag >= it->first + it->second)
            tag -= it->second;
        else if (tag >= it->first)
            return 0;
    }
    return m_cameFromFile ? 2 * tag + 1 : 0;
}

bool DxfDrawing::HasLayer(const std::string& fileName) const
{
    return std::find(m_layerNames.begin(), m_layerNames.end(), fileName) != m_layerNames.end();
}

void DxfDrawing::AddLayer(const std::string& fileName)
{
    m_layerNames.push_back(fileName);
    m_modified = true;
    ++m_addedLayerCount;
    DxfTagList& l = m_addedLayers;
    l.push_back({0, "LAYER"});
    if (m_usesHandles)
        l.push_back({5, NextHandle()});
    if (HasSubclasses()) {
        if (!m_layerTableHandle.empty())
            l.push_back({330, m_layerTableHandle});
        l.push_back({100, "AcDbSymbolTableRecord"});
        l.push_back({100, "AcDbLayerTableRecord"});
    }
    l.push_back({2, fileName});
    l.push_back({70, "0"});
    l.push_back({62, "7"});
    l.push_back({6, m_continuous});
}

namespace {

bool IsTextCode(int c)
{
    return (c >= 1 && c <= 9 && c != 5) || (c >= 100 && c <= 102) || (c >= 300 && c <= 309) || (c >= 410 && c <= 419) ||
           (c >= 430 && c <= 439) || (c >= 470 && c <= 479) || c == 999 ||
           (c >= 1000 && c <= 1009 && c != 1004 && c != 1005);
}

bool IsAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}   // namespace

void DxfDrawing::Transcode(DxfTagList& tags, const std::string& from) const
{
    for (DxfTag& t : tags)
        if (IsTextCode(t.code) && !IsAscii(t.value))
            t.value = DxfTextCodec::ToGbk(t.value, from);
}

void DxfDrawing::PrepareFor(std::string_view gbk, bool name)
{
    if (IsAscii(gbk) || m_charset == "UTF-8")
        return;
    // A drawing naming a code page keeps it and its texts: what the code page cannot hold is
    // written as \U+XXXX, which CAD programs read as the character. Names cannot carry escapes
    // (readers refuse them), so a name the code page cannot hold turns the drawing into 936. A
    // file naming no code page is read as 936 here but as 1252 by others: it gets named.
    const bool named = m_codePageTag >= 0 &&
                       !DxfTextCodec::CharsetOfCodePage(m_tags[static_cast<size_t>(m_codePageTag)].value).empty();
    if (named &&
        (m_charset == "CP936" || !name || DxfTextCodec::FromGbk(gbk, m_charset).find("\\U+") == std::string::npos))
        return;
    const std::string from = m_charset;
    Transcode(m_tags, from);
    Transcode(m_addedLayers, from);
    Transcode(m_addedEntities, from);
    for (std::string& n : m_layerNames)
        if (!IsAscii(n))
            n = DxfTextCodec::ToGbk(n, from);
    m_charset = "CP936";
    m_modified = true;
    if (m_codePageTag >= 0) {
        m_tags[static_cast<size_t>(m_codePageTag)].value = "ANSI_936";
        return;
    }
    // No code page named: say so in the header, making one when there is none.
    const DxfTagList cp = {{9, "$DWGCODEPAGE"}, {3, "ANSI_936"}};
    if (m_headerBegin >= 0) {
        m_tags.insert(m_tags.begin() + m_headerBegin, cp.begin(), cp.end());
        m_inserted.emplace_back(static_cast<size_t>(m_headerBegin), cp.size());
    } else {
        DxfTagList header = {{0, "SECTION"}, {2, "HEADER"}, cp[0], cp[1], {0, "ENDSEC"}};
        m_tags.insert(m_tags.begin(), header.begin(), header.end());
        m_inserted.emplace_back(0, header.size());
    }
    const auto names = m_layerNames;
    const auto next = m_nextHandle;
    const bool full = m_handlesFull;
    Analyse();
    m_layerNames = names;
    m_nextHandle = std::max(m_nextHandle, next);
    m_handlesFull = full;   // decided as the drawing was read: our own handles do not count
}

std::string DxfDrawing::AddRefusal() const
{
    if (!m_handlesFull)
        return {};
    return "图纸\u201c" + m_path + "\u201d的对象句柄已用到上限（" + dxf::FormatHandle(m_maxHandle) +
           "），不能再添加对象。";
}

std::string DxfDrawing::NextHandle()
{
    if (m_handlesFull)
        throw DxfError(AddRefusal());
    return dxf::FormatHandle(m_nextHandle++);
}
