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

namespace {
uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t U16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}
}   // namespace

bool ZNetBkDib::IsDrawableBmp(const uint8_t* d, size_t size)
{
    if (size < 26 || size > MaxImageBytes || StatedSize(d) != size)
        return false;
    const uint32_t offset = U32(d + 10);
    const uint32_t header = U32(d + 14);
    int64_t width = 0, height = 0;
    uint32_t bits = 0, compression = 0;
    if (header == 12) {   // OS/2 core header
        width = U16(d + 18);
        height = U16(d + 20);
        bits = U16(d + 24);
    } else if (header >= 40 && header <= 124 && 14 + uint64_t(header) <= size) {
        width = int32_t(U32(d + 18));
        height = int32_t(U32(d + 22));
        bits = U16(d + 28);
        compression = U32(d + 30);
    } else {
        return false;
    }
    if (width <= 0 || height == 0 || height == INT32_MIN)
        return false;
    height = height < 0 ? -height : height;
    if (uint64_t(width) * uint64_t(height) * 4 > MaxImageBytes)
        return false;
    switch (bits) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    // Plain rows, run-length 8 and 4 bit, and bit fields; embedded JPEG or PNG is not read.
    const bool rle = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
    if (compression != 0 && compression != 3 && !rle)
        return false;
    if (compression == 3 && bits != 16 && bits != 32)
        return false;
    if (offset < 14 + header || offset >= size)
        return false;
    if (!rle) {
        const uint64_t row = (uint64_t(width) * bits + 31) / 32 * 4;
        if (uint64_t(offset) + row * uint64_t(height) > size)
            return false;
    }
    return true;
}
