#pragma once
#include <string>

// What a drawing's file looked like on disk when the session read or wrote it: a later stamp that
// differs means another program changed (or replaced) the file since.
struct DxfFileStamp {
    bool exists = false;
    unsigned long long device = 0, inode = 0, size = 0;
    long long modifiedNs = 0, changedNs = 0;

    static DxfFileStamp Of(const std::string& path);
    bool operator==(const DxfFileStamp&) const = default;
};
