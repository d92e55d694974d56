// libFuzzer harness for the EPANET input file reader (.inp): parser and importer.
//
//   scripts/fuzz.sh inp 600              # ten minutes, corpus in build-fuzz/corpus/inp
//   build-fuzz/fuzz_inp_file CRASHFILE   # replay one input
//
// Every input must either import or raise ArchiveError naming the file, leaving the document empty.
// An imported network must hang together, hold only finite numbers, save as a project file that
// reloads to the same bytes, and export as an EPANET file that imports again, or be refused by
// the writer (no writer writes what its reader refuses). Messages and the report must be valid
// UTF-8 without raw control bytes, and a message must stay short whatever the file holds.
#include "Continuity.h"
#include "FormatRoundTrip.h"
#include "FuzzChecks.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/ArchiveError.h"
#include "persist/EpanetFile.h"
#include "persist/InpExporter.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
const std::string kName = "fuzz.inp";

[[noreturn]] void Die(const std::string& what)
{
    std::fprintf(stderr, "fuzz_inp_file: %s\n", what.c_str());
    std::abort();
}

// Valid UTF-8 with no control byte but line feed and tab.
bool CleanText(std::string_view s)
{
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 && c != '\n' && c != '\t')
            return false;
        if (c == 0x7F)
            return false;
        int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || (c >= 0x80 && c < 0xC2) || c > 0xF4)
            return false;
        for (int k = 1; k <= extra; ++k)
            if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

bool IsEmpty(const ZDocument& doc)
{
    return doc.GetNetwork().NodeCount() == 0 && doc.GetNetwork().LinkCount() == 0;
}
}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte picks the hour: patterns, pattern start and step are reached at many hours.
    const double hour = size > 0 ? data[0] % 32 : 0.0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    static const ZTemplateSet templates;
    ZDocument doc;
    EpanetFile::ImportResult result;
    try {
        result = EpanetFile::Import(text, kName, doc, templates, hour);
    } catch (const ArchiveError& e) {
        if (e.GetCause() == ArchiveError::None || e.FileName() != kName)
            Die("archive error without a cause or the file's name");
        if (!IsEmpty(doc))
            Die("a failed import left a half-built document");
        const std::string message = e.what();
        if (!CleanText(message))
            Die("a message carries raw bytes: " + message);
        if (message.size() > 2000)
            Die("a message of " + std::to_string(message.size()) + " bytes");
        return 0;
    }

    if (!DocumentIsFinite(doc))
        Die("a number that is not finite was accepted");
    if (!CleanText(result.report.Text()))
        Die("the report carries raw bytes");
    if (!ContinuityFault(doc.GetNetwork()).empty())
        Die("an imported network does not hang together: " + ContinuityFault(doc.GetNetwork()));
    ZDocument again;
    std::string parted;
    try {
        parted = FormatRoundTrip::Check(doc, again, FormatRoundTrip::Project);
    } catch (const ArchiveError& e) {
        Die(std::string("an imported network saved to a project file that does not load: ") + e.what());
    }
    if (!parted.empty())
        Die("saving the reloaded project gave other bytes: " + parted);

    // The writer may refuse a value EPANET's units cannot hold; it must not write one.
    std::string exported;
    try {
        exported = InpExporter(doc).Write();
    } catch (const ArchiveError&) {
        return 0;
    }
    ZDocument back;
    try {
        EpanetFile::Import(exported, "export.inp", back, templates, 0.0);
    } catch (const ArchiveError& e) {
        Die(std::string("the EPANET export of an imported network does not import: ") + e.what());
    }
    return 0;
}
