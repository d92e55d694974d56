#include "DxfFileStamp.h"

#include <sys/stat.h>

DxfFileStamp DxfFileStamp::Of(const std::string& path)
{
    DxfFileStamp s;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return s;
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = static_cast<unsigned long long>(st.st_size);
    s.modifiedNs = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    s.changedNs = st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
    return s;
}
