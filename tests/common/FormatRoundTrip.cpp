#include "FormatRoundTrip.h"

#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/project/ProjectFile.h"
#include "persist/text/TextExchange.h"

#include <sstream>

namespace FormatRoundTrip {
std::string Save(const ZDocument& doc, Format format)
{
    if (format == Project)
        return ProjectFile::Serialize(doc);
    std::ostringstream out;
    TextExchange::Export(out, doc, UnitSystem());
    return out.str();
}

void Load(const std::string& bytes, ZDocument& doc, Format format, const std::string& name)
{
    if (format == Project) {
        ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), name, doc);
        return;
    }
    std::istringstream in(bytes);
    TextExchange::Import(in, name, doc, UnitSystem(), ZTemplateSet());
}

std::string Check(const ZDocument& doc, ZDocument& back, Format format)
{
    const std::string first = Save(doc, format);
    Load(first, back, format);
    const std::string second = Save(back, format);
    if (first == second)
        return {};
    size_t i = 0;
    while (i < first.size() && i < second.size() && first[i] == second[i])
        ++i;
    return "the saves part at byte " + std::to_string(i) + " of " + std::to_string(first.size()) + " / " +
           std::to_string(second.size());
}
}   // namespace FormatRoundTrip
