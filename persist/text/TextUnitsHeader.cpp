#include "TextUnitsHeader.h"

#include "persist/ArchiveError.h"
#include "model/MessageText.h"
#include "model/GbkCodec.h"
#include "model/UnitSystem.h"

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The unit name after "label:" (or the full-width colon) up to the next blank; npos: no label.
bool FindUnit(std::string_view line, const std::string& label, std::string_view& unit)
{
    const size_t at = line.find(label);
    if (at == std::string_view::npos)
        return false;
    std::string_view rest = line.substr(at + label.size());
    static const std::string wideColon = GbkCodec::FromUtf8("：").Bytes();
    if (!rest.empty() && rest.front() == ':')
        rest.remove_prefix(1);
    else if (rest.substr(0, wideColon.size()) == wideColon)
        rest.remove_prefix(wideColon.size());
    rest = Trim(rest);
    size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]))
        ++end;
    unit = rest.substr(0, end);
    return true;
}
}   // namespace

void TextUnitsHeader::Apply(std::string_view text, const std::string& fileName, UnitSystem& units)
{
    static const std::string tag = GbkCodec::FromUtf8("输出格式").Bytes();
    static const struct {
        GbkString label;
        UnitSystem::Category category;
    } fields[] = {
        {GbkCodec::FromUtf8("长度单位"), UnitSystem::Length},
        {GbkCodec::FromUtf8("管径单位"), UnitSystem::Diameter},
        {GbkCodec::FromUtf8("压力单位"), UnitSystem::Head},
        {GbkCodec::FromUtf8("流量单位"), UnitSystem::Flow},
    };
    size_t pos = 0;
    int lineNumber = 0;
    while (pos < text.size()) {
        size_t len = 0;
        while (pos + len < text.size() && text[pos + len] != '\n' && text[pos + len] != '\r')
            ++len;
        const std::string_view line = Trim(text.substr(pos, len));
        pos += len + 1;
        if (pos < text.size() && text[pos - 1] == '\r' && text[pos] == '\n')
            ++pos;
        ++lineNumber;
        if (line.empty())
            continue;
        if (line.substr(0, 2) != "//")
            return;   // the header stands before the first data line
        if (Trim(line.substr(2)).substr(0, tag.size()) != tag)
            continue;
        for (const auto& f : fields) {
            std::string_view name;
            if (!FindUnit(line, f.label.Bytes(), name))
                continue;
            UnitCategory& category = units.Get(f.category);
            int found = -1;
            for (int i = 0; i < category.UnitCount(); ++i)
                if (GbkCodec::UpperAscii(GbkView(category.Names()[static_cast<size_t>(i)])) == GbkView(name))
                    found = i;
            if (found < 0)
                throw ArchiveError(ArchiveError::BadIndex, fileName,
                                   "文件头的" + GbkCodec::ToUtf8(f.label) + " " + MessageText::Quote(GbkView(name)) +
                                       " 不是可用的单位",
                                   lineNumber);
            category.SetUnitIndex(found);
        }
        return;
    }
}
