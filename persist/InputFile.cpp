#include "InputFile.h"

#include "ArchiveError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char* KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "是一个目录";
    if (S_ISFIFO(mode))
        return "是一个管道";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "是一个设备";
    if (S_ISSOCK(mode))
        return "是一个套接字";
    return "不是普通文件";
}

struct Fd {
    int fd;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};
}   // namespace

std::string InputFile::ReadAll(const std::string& path, size_t maxBytes)
{
    // Non-blocking, so that opening a FIFO without a writer does not hang; regular files ignore it.
    Fd f{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (f.fd < 0)
        throw ArchiveError(ArchiveError::Generic, path, std::strerror(errno));
    struct stat st {};
    if (::fstat(f.fd, &st) != 0)
        throw ArchiveError(ArchiveError::Generic, path, std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        throw ArchiveError(ArchiveError::Generic, path, KindOf(st.st_mode));
    const auto tooBig = [&] {
        return ArchiveError(ArchiveError::Generic, path,
                            "文件过大 (超过 " + std::to_string(maxBytes >> 20) + " MB), 不是网络文件");
    };
    if (static_cast<unsigned long long>(st.st_size) > maxBytes)
        throw tooBig();
    std::string bytes(static_cast<size_t>(st.st_size), '\0');
    size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            // The file grew while being read: take what follows, within the limit.
            if (bytes.size() >= maxBytes + 1)
                throw tooBig();
            bytes.resize(std::min(maxBytes + 1, bytes.size() + 65536));
        }
        const ssize_t n = ::read(f.fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw ArchiveError(ArchiveError::Generic, path, std::strerror(errno));
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    if (got > maxBytes)
        throw tooBig();
    bytes.resize(got);
    return bytes;
}
