#include "AtomicFileWriter.h"

#include "ArchiveError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
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
} // namespace

AtomicFileWriter::AtomicFileWriter(std::string targetPath) : m_target(std::move(targetPath)) {}

AtomicFileWriter::~AtomicFileWriter() = default;

void AtomicFileWriter::Commit()
{
    if (m_committed)
        return;
    Write(m_target, m_buffer.str());
    m_committed = true;
}

void AtomicFileWriter::Write(const std::string& target, const std::string& bytes)
{
    std::string tmpl = DirectoryOf(target) + "/.qen-save-XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        Fail(target, "无法创建临时文件");
    const std::string tmp = tmpl;
    try {
        // Keep the permissions an existing target had; new files get the usual 0666 & ~umask.
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0) {
            ::fchmod(fd, st.st_mode & 07777);
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd, 0666 & ~mask);
        }
        WriteAll(fd, bytes.data(), bytes.size(), target);
        if (::fsync(fd) != 0)
            Fail(target, "写入磁盘失败");
        if (::close(fd) != 0) {
            fd = -1;
            Fail(target, "关闭文件失败");
        }
        fd = -1;
        if (::rename(tmp.c_str(), target.c_str()) != 0)
            Fail(target, "无法替换文件");
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
