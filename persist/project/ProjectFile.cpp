#include "ProjectFile.h"

#include "persist/ArchiveError.h"
#include "persist/AtomicFileWriter.h"
#include "persist/InputFile.h"
#include "ProjectReader.h"
#include "ProjectWriter.h"
#include "model/Prompt.h"
#include "model/ZDocument.h"

std::string ProjectFile::Serialize(const ZDocument& doc)
{
    return ProjectWriter(doc).Write();
}

void ProjectFile::Deserialize(const uint8_t* data, size_t size, const std::string& fileName, ZDocument& doc)
{
    try {
        ProjectReader(data, size, fileName).Read(doc);
    } catch (...) {
        doc.Reset();
        throw;
    }
}

void ProjectFile::LoadFile(const std::string& path, ZDocument& doc)
{
    const std::string bytes = InputFile::ReadAll(path);
    Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), path, doc);
}

void ProjectFile::SaveFile(const std::string& path, const ZDocument& doc)
{
    std::string bytes;
    try {
        bytes = Serialize(doc);
    } catch (const ArchiveError& e) {
        throw ArchiveError(e.GetCause(), path, e.Detail());
    }
    AtomicFileWriter::Write(path, bytes);
}

bool ProjectFile::ConfirmUpgrade(ZDocument& doc, Prompt& prompt)
{
    if (doc.GetFileVersion() >= ZDocument::HighestVersion)
        return true;
    const std::string text = "当前的WNP文件版本是" + ZDocument::VersionText(doc.GetFileVersion()) + ", 要升级到" +
                             ZDocument::VersionText(ZDocument::HighestVersion) + "吗?";
    if (!prompt.AskYesNo(text))
        return false;
    doc.SetFileVersion(ZDocument::HighestVersion);
    return true;
}
