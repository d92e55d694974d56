#pragma once
#include <string>

// Writes a drawing's bytes by the rules of every save of the program (the bridge has its own copy,
// as it uses nothing of QEN's): the bytes go to ".NAME.qen-save-XXXXXX" beside the target, locked
// while written and flushed, then renamed over it, so the target is the old file or the whole new
// one. A symbolic link is written through to the file it names; read-only and non-regular targets
// are refused; an existing target keeps its permissions. Left-over temporaries of a killed save
// of the same target are removed. Throws DxfError naming the file.
class DxfFileWriter {
public:
    static void Write(const std::string& path, const std::string& bytes);
    // Throws what Write would refuse before writing anything: a target that is not a regular file
    // or is read-only.
    static void Check(const std::string& path);
    // The file a path names after following symbolic links (the path itself when it is none).
    static std::string ResolveTarget(const std::string& path);
    // Where the file about to be replaced is kept: beside it as NAME.bak (plan.dxf.bak), never a
    // CAD program's own plan.bak.
    static std::string BackupPath(const std::string& target);
};
