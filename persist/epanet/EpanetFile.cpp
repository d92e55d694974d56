#include "EpanetFile.h"

#include "persist/AtomicFileWriter.h"
#include "InpExporter.h"
#include "InpImporter.h"
#include "InpParser.h"
#include "persist/InputFile.h"
#include "model/GbkCodec.h"
#include "model/ZDocument.h"

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
    return Import(InputFile::ReadAll(path), path, doc, templates, hour);
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
    const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                 ? outputPath.substr(0, dot)
                                 : outputPath;
    return stem + ".idmap.csv";
}
