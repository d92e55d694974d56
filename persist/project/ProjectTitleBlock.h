#pragma once
#include <cstdint>

class ArchiveReader;
class ArchiveWriter;
struct ZProjectTitle;

// The title block of a version 2.1 project file, last, only when the document has one (other
// files end where they did). Layout: DWORD Tag; DWORD Version; STRING project; STRING designer;
// STRING date (GBK). A later version is refused by its number rather than misread; readers that
// stop before it refuse the bytes after the archive's end.
class ProjectTitleBlock {
public:
    static constexpr uint32_t Tag = 0x4C544954;   // "TITL"
    static constexpr uint32_t Version = 1;

    static void Write(ArchiveWriter& ar, const ZProjectTitle& title);
    // After the tag. Throws ArchiveError for another version.
    static void Read(ArchiveReader& ar, ZProjectTitle& title);
};
