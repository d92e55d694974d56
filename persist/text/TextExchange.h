#pragma once
#include <iosfwd>
#include <string>

class ZDocument;
class UnitSystem;
class ZTemplateSet;

// The tab-separated GBK text exchange file: NODE, PIPE, PUMP, VALVE, TANK and PIPEPOINT sections
// in display units.
class TextExchange {
public:
    // Reads into `doc`, which must be fresh; on any error throws ArchiveError (cause 5, the file's
    // name, line number and offending text) and leaves `doc` empty.
    static void Import(std::istream& in, const std::string& fileName, ZDocument& doc, const UnitSystem& units,
                       const ZTemplateSet& templates);
    static void Export(std::ostream& out, const ZDocument& doc, const UnitSystem& units);

    // File wrappers; SaveFile is atomic (temporary file in the target's folder, then rename).
    static void LoadFile(const std::string& path, ZDocument& doc, const UnitSystem& units,
                         const ZTemplateSet& templates);
    static void SaveFile(const std::string& path, const ZDocument& doc, const UnitSystem& units);
};
