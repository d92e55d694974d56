#pragma once
#include <cstdint>
#include <string>

class ArchiveReader;
class ArchiveWriter;

// The coordinate reference system of a version 2.1 project file, last (after the time data when
// there are any), only when the document has one: DWORD Tag; STRING the system as WKT, printable
// ASCII of 1 to MaxBytes bytes. Files without it end where they did.
class ProjectCrs {
public:
    static constexpr uint32_t Tag = 0x20535243;   // "CRS "
    static constexpr size_t MaxBytes = 65536;

    static void Write(ArchiveWriter& ar, const std::string& wkt);
    // After the tag. Throws ArchiveError for an empty, overlong or non-ASCII text.
    static std::string Read(ArchiveReader& ar);
    // Whether a text can be kept as it is (what Write needs and Read accepts).
    static bool Acceptable(const std::string& wkt);
};
