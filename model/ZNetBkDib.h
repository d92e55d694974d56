#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A background image: one whole BMP file kept as bytes, placed in world metres by its top-left corner.
class ZNetBkDib {
public:
    double BkLeft = 0.0;
    double BkTop = 0.0;
    double BkWidth = 1000.0;
    double BkHeight = 1000.0;
    bool BkVisible = true;   // not stored

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    // Takes the image if it looks like a BMP (starts with "BM", stated size matches); else stays empty.
    bool SetBytes(std::vector<uint8_t> bmp);
    bool IsEmpty() const { return m_bytes.empty(); }
    // Size stated at offset 2 of a BMP file header, or 0 when the header is not a BMP's.
    static uint32_t StatedSize(const uint8_t* header14);

    // Largest image taken from a user's file, in bytes (as a file and as pixels in memory).
    static constexpr uint64_t MaxImageBytes = 512ull << 20;
    // True when the BMP file can be shown: a size that matches and stays under the limit, a
    // non-empty width and height, a bit count and compression the drawing reads, and pixel rows
    // that lie inside the file.
    static bool IsDrawableBmp(const uint8_t* data, size_t size);

private:
    std::vector<uint8_t> m_bytes;
};
