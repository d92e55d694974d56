#pragma once
#include <cstddef>
#include <string>

// Reads a whole network file into memory. Anything but a regular file (a directory, a device such as
// /dev/zero, a FIFO that would block) and files larger than MaxBytes are refused before reading,
// with ArchiveError naming the file, rather than filling memory.
class InputFile {
public:
    static constexpr size_t MaxBytes = size_t(1) << 30;

    static std::string ReadAll(const std::string& path, size_t maxBytes = MaxBytes);
};
