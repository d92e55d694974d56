#include "EpanetFile.h"

#include "ArchiveError.h"
#include "AtomicFileWriter.h"
#include "InpExporter.h"
#include "InpImporter.h"
#include "InpParser.h"
#include "model/ZDocument.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

namespace {
constexpr long long kMaxFileSize = 1LL << 30;   // far beyond any real network's input file

std::string ReadWholeFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw ArchiveError(ArchiveError::Generic, path, std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        throw ArchiveError(ArchiveError::Generic, path, "不是普通文件");
    if (st.st_size > kMaxFileSize)
        throw ArchiveError(ArchiveError::Generic, path, "文件过大");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ArchiveError(ArchiveError::Generic, path, std::strerror(errno));
    std::string text(static_cast<size_t>(st.st_size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    if (in.bad())
        throw ArchiveError(ArchiveError::Generic, path, "读取失败");
    return text;
}
} // namespace

EpanetFile::ImportResult EpanetFile::Import(const std::string& text, const std::string& fileName, ZDocument& doc,
                                            const ZTemplateSet& templates, double hour)
{
    doc.GetNetwork().Clear();
    const InpFile file = InpParser(text, fileName).Parse();
    InpImporter importer(file, fileName, templates, hour);
    importer.Run(doc);
    return {importer.Report(), importer.IdMap().Csv(), importer.IdMap().RenamedCount()};
}

EpanetFile::ImportResult EpanetFile::LoadFile(const std::string& path, ZDocument& doc, const ZTemplateSet& templates,
                                              double hour)
{
    return Import(ReadWholeFile(path), path, doc, templates, hour);
}

InpReport EpanetFile::SaveFile(const std::string& path, const ZDocument& doc)
{
    InpExporter exporter(doc);
    AtomicFileWriter::Write(path, exporter.Write());
    return exporter.Report();
}

std::string EpanetFile::IdMapPath(const std::string& outputPath)
{
    const size_t slash = outputPath.find_last_of('/');
    const size_t dot = outputPath.find_last_of('.');
    const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? outputPath.substr(0, dot)
                                                                                                      : outputPath;
    return stem + ".idmap.csv";
}
