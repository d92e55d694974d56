#include "ProjectTitleBlock.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"

#include "model/ZProjectTitle.h"

#include <string>

void ProjectTitleBlock::Write(ArchiveWriter& ar, const ZProjectTitle& t)
{
    ar.Dword(Tag);
    ar.Dword(Version);
    ar.String(t.Project.Bytes());
    ar.String(t.Designer.Bytes());
    ar.String(t.Date.Bytes());
}

void ProjectTitleBlock::Read(ArchiveReader& ar, ZProjectTitle& t)
{
    const uint32_t version = ar.Dword();
    if (version != Version)
        ar.Fail(ArchiveError::BadSchema, "title block version " + std::to_string(version) +
                                             ": this QEN reads version " + std::to_string(Version) +
                                             " (the file is from a newer QEN)");
    t.Project = GbkString(ar.String());
    t.Designer = GbkString(ar.String());
    t.Date = GbkString(ar.String());
}
