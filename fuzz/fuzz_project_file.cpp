// libFuzzer harness for the project file reader (.wnp).
//
// Build and run with scripts/fuzz.sh (clang with -fsanitize=fuzzer,address,undefined):
//   scripts/fuzz.sh project 600          # ten minutes, corpus in build-fuzz/corpus/project
//   build-fuzz/fuzz_project_file CRASHFILE   # replay one input
//
// Every input must either load or raise ArchiveError with a cause and the file's name, leaving the
// document empty. A loaded document must hang together, hold only finite numbers and save and load
// again to the same bytes: a reader that lets an inconsistent network through shows up here even when
// it does not crash. A byte after a loaded file's end must be refused (unless it may belong to a
// damaged image).
#include "Continuity.h"
#include "FormatRoundTrip.h"
#include "FuzzChecks.h"
#include "model/ZDocument.h"
#include "persist/ArchiveError.h"
#include "persist/project/ProjectFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
const std::string kName = "fuzz.wnp";

[[noreturn]] void Die(const char* what)
{
    std::fprintf(stderr, "fuzz_project_file: %s\n", what);
    std::abort();
}

bool IsEmpty(const ZDocument& doc)
{
    return doc.GetNetwork().NodeCount() == 0 && doc.GetNetwork().LinkCount() == 0 && doc.GetNamedViews().empty() &&
           !doc.GetBkDib();
}

const uint8_t* Bytes(const std::string& s)
{
    return reinterpret_cast<const uint8_t*>(s.data());
}
}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZDocument doc;
    try {
        ProjectFile::Deserialize(data, size, kName, doc);
    } catch (const ArchiveError& e) {
        if (e.GetCause() == ArchiveError::None || e.FileName() != kName)
            Die("archive error without a cause or the file's name");
        if (!IsEmpty(doc))
            Die("a failed load left a half-built document");
        return 0;
    }

    if (!DocumentIsFinite(doc))
        Die("a number that is not finite was accepted");
    {
        std::string longer(reinterpret_cast<const char*>(data), size);
        longer.push_back('\0');
        ZDocument extra;
        try {
            ProjectFile::Deserialize(Bytes(longer), longer.size(), kName, extra);
            // Only the rest of a file whose image was unusable is taken as that damaged image.
            if (extra.GetBkDib() || extra.GetFileVersion() < ZDocument::HighestVersion)
                Die("a byte after the end of the archive was accepted");
        } catch (const ArchiveError&) {
        }
    }

    try {
        ProjectFile::Serialize(doc);
    } catch (const ArchiveError& e) {
        std::fprintf(stderr, "save: %s\n", e.what());
        Die("a loaded document could not be saved");
    }
    // The checks the tests make: a network that hangs together, and a save that reloads to the
    // same bytes.
    if (!ContinuityFault(doc.GetNetwork()).empty())
        Die(("a loaded network does not hang together: " + ContinuityFault(doc.GetNetwork())).c_str());
    ZDocument again;
    std::string parted;
    try {
        parted = FormatRoundTrip::Check(doc, again, FormatRoundTrip::Project);
    } catch (const ArchiveError& e) {
        std::fprintf(stderr, "reload: %s\n", e.what());
        Die("a loaded document saved to a file that does not load");
    }
    if (!parted.empty())
        Die(("saving the reloaded document gave other bytes: " + parted).c_str());
    return 0;
}
