#include "DxfFileWriter.h"
#include "DxfError.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Quoted(const std::string& name)
{
    return "\u201c" + name + "\u201d";
}

[[noreturn]] void Fail(const std::string& path, const std::string& what)
{
    throw DxfError("写入" + Quoted(path) + "失败（" + what + ": " + std::strerror(errno) +
                   "），图纸没有保存，原文件未改动。");
}

std::string TempPrefix(const std::string& target)
{
    const auto slash = target.find_last_of('/');
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.size() > 200)
        base.resize(200);
    return "." + base + ".qen-save-";
}

void RemoveStaleTemporaries(const std::string& target, const std::string& ours)
{
    const std::string dir = DirectoryOf(target);
    const std::string prefix = TempPrefix(target);
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return;
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string path = dir + "/" + name;
        if (path == ours)
            continue;
        // A save in progress holds a lock on its temporary.
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(d);
}

}   // namespace

std::string DxfFileWriter::ResolveTarget(const std::string& path)
{
    std::string p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return p;
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<size_t>(n) >= link.size())
            Fail(path, "无法读取符号链接");
        link.resize(static_cast<size_t>(n));
        p = link.front() == '/' ? link : DirectoryOf(p) + "/" + link;
    }
    errno = ELOOP;
    Fail(path, "无法解析符号链接");
}

std::string DxfFileWriter::BackupPath(const std::string& target)
{
    return target + ".bak";
}

void DxfFileWriter::Check(const std::string& path)
{
    const std::string target = ResolveTarget(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        throw DxfError(Quoted(path) + "不是普通文件，不能覆盖，图纸没有保存。");
    // Renaming needs only the folder's permission: the file's own is checked here; a file without
    // any write bit is read-only for everyone, root included.
    if (exists && ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        throw DxfError(Quoted(path) + "是只读的，不能覆盖，图纸没有保存。");
}

void DxfFileWriter::Write(const std::string& path, const std::string& bytes)
{
    Check(path);
    const std::string target = ResolveTarget(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;

    std::string tmpl = DirectoryOf(target) + "/" + TempPrefix(target) + "XXXXXX";
    int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0)
        Fail(path, "无法创建临时文件");
    const std::string tmp = tmpl;
    try {
        ::flock(fd, LOCK_EX | LOCK_NB);
        RemoveStaleTemporaries(target, tmp);
        if (exists) {
            ::fchmod(fd, st.st_mode & 07777);
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd, 0666 & ~mask);
        }
        const char* data = bytes.data();
        size_t left = bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(fd, data, left);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                Fail(path, "写入失败（磁盘已满？）");
            }
            data += n;
            left -= static_cast<size_t>(n);
        }
        if (::fsync(fd) != 0)
            Fail(path, "写入磁盘失败");
        if (::rename(tmp.c_str(), target.c_str()) != 0)
            Fail(path, "无法替换文件");
        const int closed = ::close(fd);
        fd = -1;
        if (closed != 0)
            Fail(path, "关闭文件失败");
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(tmp.c_str());
        throw;
    }
    const int dirFd = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}
