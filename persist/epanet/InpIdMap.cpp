#include "InpIdMap.h"

#include "InpText.h"
#include "model/GbkCodec.h"
#include "model/ZNetObject.h"

#include <algorithm>

namespace {
// Whitespace would split a text-file field; control bytes and NUL cannot stand in an identifier.
std::string Clean(const std::string& utf8)
{
    const bool ascii =
        std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::string out = GbkCodec::UpperAscii(ascii ? GbkString(utf8) : GbkCodec::FromUtf8(utf8)).Bytes();
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F || c == ',' || c == ';')
            c = '_';
    }
    return out;
}

// Cuts a GBK text to at most `max` bytes without splitting a double-byte character.
std::string CutGbk(const std::string& s, size_t max)
{
    size_t i = 0;
    while (i < s.size()) {
        const size_t step = static_cast<unsigned char>(s[i]) >= 0x81 && i + 1 < s.size() ? 2 : 1;
        if (i + step > max)
            break;
        i += step;
    }
    return s.substr(0, i);
}
}   // namespace

std::string InpIdMap::Unique(Kind kind, std::string text)
{
    const size_t max = static_cast<size_t>(ZNetObject::MaxIdLength);
    if (text.empty())
        text = kind == Node ? "N" : "L";
    if (text.size() <= max && m_used[kind].insert(text).second)
        return text;
    for (int n = 1;; ++n) {
        const std::string tail = "~" + std::to_string(n);
        std::string candidate = CutGbk(text, max - tail.size()) + tail;
        if (m_used[kind].insert(candidate).second)
            return candidate;
    }
}

const std::string& InpIdMap::Map(Kind kind, const std::string& epanetId, const std::string& what,
                                 const std::string& preferred)
{
    auto it = m_index[kind].find(epanetId);
    if (it != m_index[kind].end())
        return m_entries[it->second].qenId;
    m_entries.push_back({kind, epanetId, Unique(kind, preferred.empty() ? Clean(epanetId) : preferred), what});
    m_index[kind].emplace(epanetId, m_entries.size() - 1);
    return m_entries.back().qenId;
}

const std::string& InpIdMap::MapAside(Kind kind, const std::string& epanetId, const std::string& what,
                                      const std::string& preferred)
{
    m_entries.push_back({kind, epanetId, Unique(kind, preferred), what});
    return m_entries.back().qenId;
}

std::string InpIdMap::Invent(Kind kind, const std::string& base, const std::string& suffix, const std::string& what)
{
    const size_t max = static_cast<size_t>(ZNetObject::MaxIdLength);
    const std::string text = CutGbk(base, max > suffix.size() ? max - suffix.size() : 0) + suffix;
    m_entries.push_back({kind, {}, Unique(kind, text), what});
    return m_entries.back().qenId;
}

const std::string* InpIdMap::Find(Kind kind, const std::string& epanetId) const
{
    auto it = m_index[kind].find(epanetId);
    return it == m_index[kind].end() ? nullptr : &m_entries[it->second].qenId;
}

int InpIdMap::RenamedCount() const
{
    int n = 0;
    for (const Entry& e : m_entries) {
        if (!e.epanetId.empty() && e.qenId != InpText::Upper(e.epanetId) &&
            GbkCodec::ToUtf8(GbkView(e.qenId)) != InpText::Upper(e.epanetId))
            ++n;
    }
    return n;
}

std::string InpIdMap::Csv() const
{
    auto field = [](const std::string& s) {
        if (s.find_first_of(",\"\n") == std::string::npos)
            return s;
        std::string q = "\"";
        for (char c : s)
            q += c == '"' ? std::string("\"\"") : std::string(1, c);
        return q + "\"";
    };
    std::string out = "kind,epanet_id,qen_id,object\n";
    for (const Entry& e : m_entries) {
        out += e.kind == Node ? "node," : "link,";
        out += field(e.epanetId) + "," + field(GbkCodec::ToUtf8(GbkView(e.qenId))) + "," + field(e.what) + "\n";
    }
    return out;
}
