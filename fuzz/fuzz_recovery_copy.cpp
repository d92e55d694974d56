// libFuzzer harness for the reader path of a recovery copy: the note (JSON with the document's
// path, title and file version) and the copy (a project file), read as the program's start does
// after a crash.
//
//   scripts/fuzz.sh recovery 600
//   build-fuzz/fuzz_recovery_copy CRASHFILE
//
// The input is the note and the copy, split at the first "\n--\n" (no split: the whole input is
// the copy and the note is empty). A copy must load or raise ArchiveError naming the copy with the
// document left empty; a loaded one holds only finite numbers and saves again; the note may be
// anything, and the name a question shows stays short.
#include "FuzzChecks.h"
#include "app/CRecoveryStore.h"
#include "model/ZDocument.h"
#include "persist/ArchiveError.h"
#include "persist/ProjectFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
const std::string kName = "session-1/1.wnp";

[[noreturn]] void Die(const std::string& what)
{
    std::fprintf(stderr, "fuzz_recovery_copy: %s\n", what.c_str());
    std::abort();
}
}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find("\n--\n");
    const std::string note = split == std::string::npos ? std::string() : input.substr(0, split);
    const std::string copy = split == std::string::npos ? input : input.substr(split + 4);

    CRecoveryStore::Entry entry;
    entry.file = QString::fromStdString(kName);
    CRecoveryStore::ReadNote(QByteArray::fromStdString(note), entry);
    if (entry.version != 0 && entry.version != ZDocument::Version1)
        Die("a note's version other than 1.0 was taken");
    if (CRecoveryStore::ShownName(entry).size() > 81)
        Die("a shown name of " + std::to_string(CRecoveryStore::ShownName(entry).size()) + " characters");

    ZDocument doc;
    try {
        CRecoveryStore::Restore(copy, kName, entry, doc);
    } catch (const ArchiveError& e) {
        if (e.GetCause() == ArchiveError::None || e.FileName() != kName)
            Die("archive error without a cause or the copy's name");
        if (doc.GetNetwork().NodeCount() != 0 || doc.GetNetwork().LinkCount() != 0 || doc.GetBkDib())
            Die("a failed restore left a half-built document");
        return 0;
    }
    if (!DocumentIsFinite(doc))
        Die("a number that is not finite was accepted");
    if (doc.GetFileKind() != ZDocument::ProjectFile && doc.GetFileKind() != ZDocument::TextFile)
        Die("a restored document of no known kind");
    try {
        ProjectFile::Serialize(doc);
    } catch (const ArchiveError& e) {
        Die(std::string("a restored document could not be saved: ") + e.what());
    }
    return 0;
}
