#pragma once
#include "DxfTag.h"

#include <string>

// Splits an ASCII DXF file into its groups. DWG and binary DXF files are refused with a message
// that says to save them as ASCII DXF first; a broken group names its line.
class DxfTagReader {
public:
    static DxfTagList ReadFile(const std::string& path);
    // `name` only appears in messages.
    static DxfTagList ReadBuffer(const std::string& data, const std::string& name);
};
