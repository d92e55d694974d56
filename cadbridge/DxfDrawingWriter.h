#pragma once
#include <string>

class DxfDrawing;

// Writes a drawing to its file: the groups it was read with, unchanged, with the added layers
// and entities in their tables and sections. Atomic: a temporary file beside the target is
// renamed over it; an existing file is kept as NAME.bak. Throws DxfError.
class DxfDrawingWriter {
public:
    static void Save(DxfDrawing& drawing, const std::string& path);
    // The whole text, for tests and for the file.
    static std::string Text(const DxfDrawing& drawing);
};
