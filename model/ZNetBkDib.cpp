#include "ZNetBkDib.h"

uint32_t ZNetBkDib::StatedSize(const uint8_t* h)
{
    if (h[0] != 'B' || h[1] != 'M')
        return 0;
    return uint32_t(h[2]) | uint32_t(h[3]) << 8 | uint32_t(h[4]) << 16 | uint32_t(h[5]) << 24;
}

bool ZNetBkDib::SetBytes(std::vector<uint8_t> bmp)
{
    if (bmp.size() < 14 || StatedSize(bmp.data()) != bmp.size()) {
        m_bytes.clear();
        return false;
    }
    m_bytes = std::move(bmp);
    return true;
}
