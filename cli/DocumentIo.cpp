#include "DocumentIo.h"

#include "model/ZDocument.h"
#include "persist/ArchiveError.h"
#include "persist/TextExchange.h"

void DocumentIo::Load(const std::string& path, ZDocument& doc) const
{
    const int kind = ZDocument::FileKindFromName(path);
    doc.Reset();
    doc.SetFileKind(kind);
    if (kind == ZDocument::TextFile)
        TextExchange::LoadFile(path, doc, m_units, m_templates);
    else
        throw ArchiveError(ArchiveError::Generic, path, "project files (.wnp) are not supported yet");
}

void DocumentIo::Save(const std::string& path, ZDocument& doc) const
{
    const int kind = ZDocument::FileKindFromName(path);
    if (kind == ZDocument::TextFile)
        TextExchange::SaveFile(path, doc, m_units);
    else
        throw ArchiveError(ArchiveError::Generic, path, "project files (.wnp) are not supported yet");
    doc.SetFileKind(kind);
}

const char* DocumentIo::KindName(int fileKind)
{
    return fileKind == ZDocument::TextFile ? "text exchange file" : "project file (.wnp)";
}
