#include "TextExchange.h"

#include "persist/ArchiveError.h"
#include "persist/AtomicFileWriter.h"
#include "persist/InputFile.h"
#include "TextExporter.h"
#include "TextImporter.h"
#include "TextTimeData.h"
#include "model/GbkCodec.h"
#include "model/ZDocument.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace {

void ImportText(std::string&& text, const std::string& fileName, ZDocument& doc, const UnitSystem& units,
                const ZTemplateSet& templates)
{
    ZNetwork& net = doc.GetNetwork();
    net.Clear();
    GbkCodec::UpperAsciiInPlace(text.data(), text.size());
    ZBalanceParams params = doc.GetDrawSettings().Params;
    try {
        TextImporter importer(text, fileName, units, templates);
        importer.Run(net, params);
        doc.GetTimeData() = std::move(importer.TimeData());
    } catch (...) {
        net.Clear();
        throw;
    }
    doc.GetDrawSettings().Params = params;
    doc.SetExtents(net.BoundRect());
}
}   // namespace

void TextExchange::Import(std::istream& in, const std::string& fileName, ZDocument& doc, const UnitSystem& units,
                          const ZTemplateSet& templates)
{
    std::string raw;
    char buf[1 << 16];
    while (in.read(buf, sizeof buf) || in.gcount() > 0)
        raw.append(buf, static_cast<size_t>(in.gcount()));
    if (in.bad()) {
        doc.GetNetwork().Clear();
        throw ArchiveError(ArchiveError::Generic, fileName, "读取失败");
    }
    ImportText(std::move(raw), fileName, doc, units, templates);
}

void TextExchange::Export(std::ostream& out, const ZDocument& doc, const UnitSystem& units)
{
    if (const ZTimeData::Fault f = doc.GetTimeData().Check(); !f.Empty())
        throw ArchiveError(ArchiveError::Generic, {}, "TIMEDATA: " + f.Text() + ", 未写出");
    const std::string bytes = TextExporter(units).Write(doc.GetNetwork(), &doc.GetDrawSettings().Params) +
                              TextTimeData::Write(doc.GetTimeData());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TextExchange::LoadFile(const std::string& path, ZDocument& doc, const UnitSystem& units,
                            const ZTemplateSet& templates)
{
    std::string raw;
    try {
        raw = InputFile::ReadAll(path);
    } catch (...) {
        doc.GetNetwork().Clear();
        throw;
    }
    ImportText(std::move(raw), path, doc, units, templates);
}

void TextExchange::SaveFile(const std::string& path, const ZDocument& doc, const UnitSystem& units)
{
    std::string bytes;
    try {
        if (const ZTimeData::Fault f = doc.GetTimeData().Check(); !f.Empty())
            throw ArchiveError(ArchiveError::Generic, {}, "TIMEDATA: " + f.Text() + ", 未写出");
        bytes = TextExporter(units).Write(doc.GetNetwork(), &doc.GetDrawSettings().Params) +
                TextTimeData::Write(doc.GetTimeData());
    } catch (const ArchiveError& e) {
        throw ArchiveError(e.GetCause(), path, e.Detail());
    }
    AtomicFileWriter::Write(path, bytes);
}
