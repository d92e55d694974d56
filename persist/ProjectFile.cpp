#include "ProjectFile.h"

#include "ArchiveError.h"
#include "AtomicFileWriter.h"
#include "ProjectReader.h"
#include "ProjectWriter.h"
#include "model/Prompt.h"
#include "model/ZDocument.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

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
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f)
        throw ArchiveError(ArchiveError::Generic, path, std::strerror(errno));
    std::vector<uint8_t> bytes;
    if (std::fseek(f.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(f.get());
        if (size > 0)
            bytes.reserve(static_cast<size_t>(size));
        std::rewind(f.get());
    }
    uint8_t chunk[1 << 16];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + n);
    if (std::ferror(f.get()))
        throw ArchiveError(ArchiveError::Generic, path, std::strerror(errno));
    Deserialize(bytes.data(), bytes.size(), path, doc);
}

void ProjectFile::SaveFile(const std::string& path, const ZDocument& doc)
{
    AtomicFileWriter::Write(path, Serialize(doc));
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
