// libFuzzer harness for the text exchange reader (GBK, BEGIN/END sections).
//
// Build and run with scripts/fuzz.sh (clang with -fsanitize=fuzzer,address,undefined):
//   scripts/fuzz.sh text 600             # ten minutes, corpus in build-fuzz/corpus/text
//   build-fuzz/fuzz_text_file CRASHFILE  # replay one input
//
// Every input must either load or raise ArchiveError with a cause and the file's name, leaving the
// network empty. A loaded network must hang together, hold only finite numbers, export and import
// again, and export the second time to the same text: what the reader accepts must be something the
// writer can carry. The same input with every line feed made a lone carriage return (old Mac files)
// must give the same outcome.
#include "Continuity.h"
#include "FormatRoundTrip.h"
#include "FuzzChecks.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/ArchiveError.h"
#include "persist/text/TextExchange.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {
const std::string kName = "fuzz.txt";

[[noreturn]] void Die(const char* what)
{
    std::fprintf(stderr, "fuzz_text_file: %s\n", what);
    std::abort();
}

bool Load(const std::string& text, ZDocument& doc, const UnitSystem& units, const ZTemplateSet& templates,
          std::string* error)
{
    std::istringstream in(text);
    try {
        TextExchange::Import(in, kName, doc, units, templates);
    } catch (const ArchiveError& e) {
        if (e.GetCause() == ArchiveError::None || e.FileName() != kName)
            Die("archive error without a cause or the file's name");
        if (doc.GetNetwork().NodeCount() != 0 || doc.GetNetwork().LinkCount() != 0)
            Die("a failed load left a half-built network");
        if (error)
            *error = e.what();
        return false;
    }
    return true;
}

std::string Save(const ZDocument& doc, const UnitSystem& units)
{
    std::ostringstream out;
    TextExchange::Export(out, doc, units);
    return out.str();
}
}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const UnitSystem units;
    static const ZTemplateSet templates;
    ZDocument doc;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const bool loaded = Load(text, doc, units, templates, nullptr);

    std::string mac = text;
    for (char& c : mac)
        if (c == '\n')
            c = '\r';
    ZDocument macDoc;
    if (Load(mac, macDoc, units, templates, nullptr) != loaded)
        Die("carriage returns alone as line ends changed whether the file loads");
    if (!loaded)
        return 0;
    if (!NetworkIsFinite(doc.GetNetwork()))
        Die("a number that is not finite was accepted");

    std::string saved;
    try {
        saved = Save(doc, units);
    } catch (const ArchiveError& e) {
        std::fprintf(stderr, "export: %s\n", e.what());
        Die("an imported network could not be exported");
    }
    if (Save(macDoc, units) != saved)
        Die("carriage returns alone as line ends changed the network");
    // The checks the tests make: a network that hangs together, and an export that imports to
    // a network exporting the same text.
    if (!ContinuityFault(doc.GetNetwork()).empty())
        Die(("an imported network does not hang together: " + ContinuityFault(doc.GetNetwork())).c_str());
    ZDocument again;
    std::string parted;
    try {
        parted = FormatRoundTrip::Check(doc, again, FormatRoundTrip::Text);
    } catch (const ArchiveError& e) {
        std::fprintf(stderr, "reload: %s\n", e.what());
        Die("an imported network exported to a file that does not import");
    }
    if (!parted.empty())
        Die(("exporting the reimported network gave other text: " + parted).c_str());
    return 0;
}
