#include "EpanetFile.h"

#include "persist/AtomicFileWriter.h"
#include "InpExporter.h"
#include "InpImporter.h"
#include "InpParser.h"
#include "persist/InputFile.h"
#include "model/GbkCodec.h"
#include "model/ZDocument.h"
#include "model/ZPumpLink.h"
#include "model/ZValveLink.h"

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

void EpanetFile::ReportTextLosses(const ZDocument& doc, InpReport& report)
{
    for (const ZFlowLink* l : doc.GetNetwork().Links()) {
        const bool closed = (l->GetKind() == ZNetObject::Kind::Pump && !static_cast<const ZPumpLink*>(l)->PumpOpen) ||
                            (l->GetKind() == ZNetObject::Kind::Valve && !static_cast<const ZValveLink*>(l)->ValveOpen);
        if (closed)
            report.Add("文本文件不能记录水泵、阀门的关闭状态: 这些关闭的设备读回时是开启的, 平差结果将不同 "
                       "(存为 .wnp 文件可保留)",
                       GbkCodec::ToUtf8(l->IdView()));
    }
}

std::string EpanetFile::IdMapPath(const std::string& outputPath)
{
    const size_t slash = outputPath.find_last_of('/');
    const size_t dot = outputPath.find_last_of('.');
    const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? outputPath.substr(0, dot)
                                                                                                      : outputPath;
    return stem + ".idmap.csv";
}
