#include "TextExchange.h"

#include "ArchiveError.h"
#include "AtomicFileWriter.h"
#include "TextExporter.h"
#include "TextImporter.h"
#include "model/GbkCodec.h"
#include "model/ZDocument.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <memory>
#include <ostream>

namespace {
// Upper-cases in place, one block of whole lines at a time, so a big file is never held twice.
// Blocks end after a line break, which is never a GBK trail byte, so no character is split.
void UpperCaseInPlace(std::string& text)
{
    constexpr size_t kBlock = 1 << 20;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = std::min(text.size(), pos + kBlock);
        if (end < text.size()) {
            const size_t nl = text.find('\n', end);
            end = nl == std::string::npos ? text.size() : nl + 1;
        }
        const std::string upper = GbkCodec::UpperAscii(std::string_view(text).substr(pos, end - pos));
        text.replace(pos, upper.size(), upper);
        pos = end;
    }
}

void ImportText(std::string&& text, const std::string& fileName, ZDocument& doc, const UnitSystem& units,
                const ZTemplateSet& templates)
{
    ZNetwork& net = doc.GetNetwork();
    net.Clear();
    UpperCaseInPlace(text);
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
    char buf[1 << 16];
    // Straight into the string when the size is known; then whatever a growing file added.
    if (std::fseek(f.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(f.get());
        std::fseek(f.get(), 0, SEEK_SET);
        if (size > 0) {
            raw.resize(static_cast<size_t>(size));
            raw.resize(std::fread(raw.data(), 1, raw.size(), f.get()));
        }
    }
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
