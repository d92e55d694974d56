// libFuzzer harness for background images inside project files, without the GUI: the input is
// the image part of a project file (what follows the placement of the background bitmap).
//
//   scripts/fuzz.sh background 600
//   build-fuzz/fuzz_background_image CRASHFILE
//
// A small valid project with a background bitmap is saved once; its image bytes are replaced by
// the input. The file must load or raise ArchiveError naming it. A loaded image is the input's
// first stated-size bytes; when ZNetBkDib calls it drawable, every pixel row it promises lies in
// the image (each byte is read here, so the sanitizer sees a promise it cannot keep), and the
// document saves to a file that loads to the same image.
#include "FuzzChecks.h"
#include "model/ZDocument.h"
#include "model/ZNetBkDib.h"
#include "persist/ArchiveError.h"
#include "persist/ProjectFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {
const std::string kName = "fuzz-background.wnp";

[[noreturn]] void Die(const std::string& what)
{
    std::fprintf(stderr, "fuzz_background_image: %s\n", what.c_str());
    std::abort();
}

uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// A 1 x 1 24-bit BMP: the placeholder whose bytes the input replaces.
std::vector<uint8_t> TinyBmp()
{
    std::vector<uint8_t> b(58, 0);
    b[0] = 'B';
    b[1] = 'M';
    b[2] = 58;
    b[10] = 54;
    b[14] = 40;
    b[18] = 1;    // width
    b[22] = 1;    // height
    b[26] = 1;    // planes
    b[28] = 24;   // bits
    return b;
}

// The saved project up to its image bytes.
const std::string& Prefix()
{
    static const std::string prefix = [] {
        ZDocument doc;
        auto dib = std::make_unique<ZNetBkDib>();
        dib->BkLeft = 10;
        dib->BkTop = 20;
        if (!dib->SetBytes(TinyBmp()))
            Die("the placeholder image was refused");
        doc.SetBkDib(std::move(dib));
        const std::string bytes = ProjectFile::Serialize(doc);
        const std::vector<uint8_t> tiny = TinyBmp();
        if (bytes.size() < tiny.size() ||
            std::memcmp(bytes.data() + bytes.size() - tiny.size(), tiny.data(), tiny.size()))
            Die("the image is not the last thing of a saved project");
        return bytes.substr(0, bytes.size() - tiny.size());
    }();
    return prefix;
}

// Reads every byte of the rows a drawable, uncompressed image promises.
unsigned TouchRows(const std::vector<uint8_t>& bmp)
{
    const uint8_t* d = bmp.data();
    const uint32_t offset = U32(d + 10);
    const uint32_t header = U32(d + 14);
    uint64_t width, height, bits, compression = 0;
    if (header == 12) {
        width = uint16_t(d[18] | d[19] << 8);
        height = uint16_t(d[20] | d[21] << 8);
        bits = uint16_t(d[24] | d[25] << 8);
    } else {
        width = uint64_t(int64_t(int32_t(U32(d + 18))));
        const int64_t h = int32_t(U32(d + 22));
        height = uint64_t(h < 0 ? -h : h);
        bits = uint16_t(d[28] | d[29] << 8);
        compression = U32(d + 30);
    }
    if (compression == 1 || compression == 2) {
        if (offset >= bmp.size())
            Die("a run-length image whose data starts past its end");
        return d[offset];
    }
    const uint64_t row = (width * bits + 31) / 32 * 4;
    unsigned sum = 0;
    const uint8_t* p = d + offset;
    for (uint64_t i = 0; i < row * height; ++i)
        sum += p[i];
    return sum;
}
}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string file = Prefix();
    file.append(reinterpret_cast<const char*>(data), size);
    ZDocument doc;
    try {
        ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(file.data()), file.size(), kName, doc);
    } catch (const ArchiveError& e) {
        if (e.GetCause() == ArchiveError::None || e.FileName() != kName)
            Die("archive error without a cause or the file's name");
        return 0;
    }
    if (!DocumentIsFinite(doc))
        Die("a number that is not finite was accepted");
    const ZNetBkDib* dib = doc.GetBkDib();
    if (!dib)
        return 0;
    const std::vector<uint8_t>& bmp = dib->Bytes();
    if (bmp.size() < 14 || bmp.size() > size || std::memcmp(bmp.data(), data, bmp.size()) != 0 ||
        ZNetBkDib::StatedSize(bmp.data()) != bmp.size())
        Die("the loaded image is not the stated-size start of the file's image bytes");
    // Exactly sized, so a read past a promised row is a heap overflow the sanitizer reports.
    const std::vector<uint8_t> exact(bmp.begin(), bmp.end());
    if (ZNetBkDib::IsDrawableBmp(exact.data(), exact.size())) {
        volatile unsigned sink = TouchRows(exact);
        (void)sink;
    }
    ZDocument again;
    try {
        const std::string saved = ProjectFile::Serialize(doc);
        ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(saved.data()), saved.size(), kName, again);
    } catch (const ArchiveError& e) {
        Die(std::string("a document with a loaded image does not save and load again: ") + e.what());
    }
    if (!again.GetBkDib() || again.GetBkDib()->Bytes() != bmp)
        Die("the image did not survive a save and load");
    return 0;
}
