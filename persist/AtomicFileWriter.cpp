#include "AtomicFileWriter.h"

#include "ArchiveError.h"

#include <cerrno>
#include <dirent.h>
#include <sys/file.h>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const std::string kLegacyPrefix = ".qen-save-";

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void Fail(const std::string& target, const std::string& what)
{
    throw ArchiveError(ArchiveError::Generic, target, what + ": " + std::strerror(errno));
}

void WriteAll(int fd, const char* data, size_t size, const std::string& target)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail(target, "写入失败");
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
}
}   // namespace

AtomicFileWriter::AtomicFileWriter(std::string targetPath) : m_target(std::move(targetPath)) {}

AtomicFileWriter::~AtomicFileWriter() = default;

void AtomicFileWriter::Commit()
{
    if (m_committed)
        return;
    Write(m_target, m_buffer.str());
    m_committed = true;
}

std::string AtomicFileWriter::ResolveTarget(const std::string& path)
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

std::string AtomicFileWriter::TempPrefix(const std::string& target)
{
    const auto slash = target.find_last_of('/');
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.size() > 200)   // leaves room within a file name's 255 bytes
        base.resize(200);
    return "." + base + ".qen-save-";
}

void AtomicFileWriter::RemoveStaleTemporaries(const std::string& target, const std::string& ours)
{
    const std::string dir = DirectoryOf(target);
    const std::string prefix = TempPrefix(target);
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return;
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        // Ours, or one of the unnamed ".qen-save-XXXXXX" that earlier versions left.
        const bool mine = name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0;
        const bool legacy =
            name.size() == kLegacyPrefix.size() + 6 && name.compare(0, kLegacyPrefix.size(), kLegacyPrefix) == 0;
        if (!mine && !legacy)
            continue;
        const std::string path = dir + "/" + name;
        if (path == ours)
            continue;
        // A save in progress holds a lock on its temporary; one that nobody holds was left by a
        // save that was killed.
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

void AtomicFileWriter::CheckTarget(const std::string& path)
{
    const std::string target = ResolveTarget(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    // A FIFO or device would block or swallow the bytes; a folder cannot be replaced.
    if (exists && !S_ISREG(st.st_mode))
        throw ArchiveError(ArchiveError::Generic, path, "不是普通文件, 不能覆盖");
    // Renaming over it needs only the folder's permission, so the file's own is checked here; a
    // file without any write bit is read-only for everyone, root included.
    if (exists && ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        throw ArchiveError(ArchiveError::ReadOnly, path, "文件是只读的, 不能覆盖");
}

void AtomicFileWriter::Write(const std::string& path, const std::string& bytes)
{
    // Through a symbolic link to the file it names: replacing the link would leave that file old.
    CheckTarget(path);
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
        // Keep the permissions an existing target had; new files get the usual 0666 & ~umask.
        if (exists) {
            ::fchmod(fd, st.st_mode & 07777);
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd, 0666 & ~mask);
        }
        WriteAll(fd, bytes.data(), bytes.size(), path);
        if (::fsync(fd) != 0)
            Fail(path, "写入磁盘失败");
        if (::rename(tmp.c_str(), target.c_str()) != 0)
            Fail(path, "无法替换文件");
        const int closed = ::close(fd);   // the lock goes with the descriptor, after the rename
        fd = -1;
        if (closed != 0)
            Fail(path, "关闭文件失败");
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(tmp.c_str());
        throw;
    }
    // Make the rename itself durable.
    int dirFd = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}
