#include "ProjectCrs.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "persist/ArchiveError.h"

#include <algorithm>

bool ProjectCrs::Acceptable(const std::string& wkt)
{
    return !wkt.empty() && wkt.size() <= MaxBytes &&
           std::all_of(wkt.begin(), wkt.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

void ProjectCrs::Write(ArchiveWriter& ar, const std::string& wkt)
{
    if (!Acceptable(wkt))
        throw ArchiveError(ArchiveError::Generic, {},
                           "coordinate system: not printable ASCII of 1 to 65536 bytes; not saved");
    ar.Dword(Tag);
    ar.String(wkt);
}

std::string ProjectCrs::Read(ArchiveReader& ar)
{
    std::string wkt = ar.String();
    if (!Acceptable(wkt))
        ar.Fail(ArchiveError::BadIndex, "coordinate system: not printable ASCII of 1 to 65536 bytes");
    return wkt;
}
