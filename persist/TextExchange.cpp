#include "TextExchange.h"

#include "ArchiveError.h"
#include "AtomicFileWriter.h"
#include "TextExporter.h"
#include "TextImporter.h"
#include "model/GbkCodec.h"
#include "model/ZDocument.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <memory>
#include <ostream>

namespace {
void ImportText(std::string&& raw, const std::string& fileName, ZDocument& doc, const UnitSystem& units,
                const ZTemplateSet& templates)
{
    ZNetwork& net = doc.GetNetwork();
    net.Clear();
    // Upper-casing the whole text at once: line breaks are never GBK trail bytes, so this equals
    // upper-casing line by line.
    const std::string text = GbkCodec::UpperAscii(raw);
    std::string().swap(raw);
    try {
        TextImporter importer(text, fileName, units, templates);
        importer.Run(net);
    } catch (...) {
        net.Clear();
        throw;
    }
    doc.SetExtents(net.BoundRect());
}
} // namespace

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
    const std::string bytes = TextExporter(units).Write(doc.GetNetwork());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TextExchange::LoadFile(const std::string& path, ZDocument& doc, const UnitSystem& units,
                            const ZTemplateSet& templates)
{
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) {
        doc.GetNetwork().Clear();
        throw ArchiveError(ArchiveError::Generic, path, std::strerror(errno));
    }
    std::string raw;
    std::fseek(f.get(), 0, SEEK_END);
    const long size = std::ftell(f.get());
    std::fseek(f.get(), 0, SEEK_SET);
    if (size > 0)
        raw.reserve(static_cast<size_t>(size));
    char buf[1 << 16];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0)
        raw.append(buf, n);
    if (std::ferror(f.get())) {
        doc.GetNetwork().Clear();
        throw ArchiveError(ArchiveError::Generic, path, std::strerror(errno));
    }
    f.reset();
    ImportText(std::move(raw), path, doc, units, templates);
}

void TextExchange::SaveFile(const std::string& path, const ZDocument& doc, const UnitSystem& units)
{
    AtomicFileWriter::Write(path, TextExporter(units).Write(doc.GetNetwork()));
}
