#include "DocumentIo.h"

#include "model/ZDocument.h"
#include "model/Prompt.h"
#include "persist/ArchiveError.h"
#include "persist/project/ProjectFile.h"
#include "persist/text/TextExchange.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>

namespace {
// Answers the upgrade question from the command line instead of a message box.
class FixedAnswer : public Prompt {
public:
    explicit FixedAnswer(bool yes) : m_yes(yes) {}
    bool AskYesNo(const std::string&) override { return m_yes; }
    void Inform(const std::string&) override {}

private:
    bool m_yes;
};
}   // namespace

void DocumentIo::Load(const std::string& path, ZDocument& doc) const
{
    const int kind = ZDocument::FileKindFromName(path);
    doc.Reset();
    doc.SetFileKind(kind);
    if (kind == ZDocument::TextFile)
        TextExchange::LoadFile(path, doc, m_units, m_templates);
    else
        ProjectFile::LoadFile(path, doc);
}

void DocumentIo::Save(const std::string& path, ZDocument& doc, bool keepVersion) const
{
    const int kind = ZDocument::FileKindFromName(path);
    FixedAnswer answer(!keepVersion);
    ProjectFile::ConfirmUpgrade(doc, answer);   // asked whatever the kind, as the program does
    if (kind == ZDocument::TextFile)
        TextExchange::SaveFile(path, doc, m_units);
    else
        ProjectFile::SaveFile(path, doc);
    doc.SetFileKind(kind);
}

const char* DocumentIo::KindName(int fileKind)
{
    return fileKind == ZDocument::TextFile ? "text exchange file" : "project file (.wnp)";
}

std::string DocumentIo::Extension(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

bool DocumentIo::CheckSaveName(const std::string& command, const std::string& option, const std::string& path)
{
    const std::string ext = Extension(path);
    struct Other {
        const char* ext;
        const char* hint;
    };
    static const Other others[] = {{".inp", " (EPANET: use export-inp)"},
                                   {".dxf", " (use export-dxf)"},
                                   {".dwg", ""},
                                   {".csv", ""},
                                   {".xlsx", ""},
                                   {".xls", ""},
                                   {".pdf", ""},
                                   {".png", ""},
                                   {".jpg", ""},
                                   {".jpeg", ""},
                                   {".svg", ""},
                                   {".geojson", " (use export-gis)"},
                                   {".json", ""},
                                   {".gpkg", " (use export-gis)"},
                                   {".shp", " (use export-gis)"},
                                   {".kml", ""},
                                   {".tif", ""},
                                   {".tiff", ""}};
    for (const Other& o : others) {
        if (ext != o.ext)
            continue;
        std::cerr << "qen-cli " << command << ": " << option << " " << path
                  << ": a network is written as .wnp (project) "
                  << "or .txt (text exchange file), not as " << o.ext << o.hint << "\n";
        return false;
    }
    return true;
}
