#pragma once
#include <string>

class DxfDrawing;

// Writes a drawing to its file: the groups it was read with, unchanged, with the added layers
// and entities in their tables and sections, $HANDSEED above every handle, $EXTMIN/$EXTMAX
// taking in the added entities and $INSUNITS when the drawing was given units. A drawing whose
// sections are not closed, or nest, is refused: what was added could land outside any section.
// The file goes through DxfFileWriter; the file it replaces is kept as NAME.bak (plan.dxf.bak).
// Throws DxfError.
class DxfDrawingWriter {
public:
    static void Save(DxfDrawing& drawing, const std::string& path);
    // The whole text, for tests and for the file; throws DxfError for a broken structure.
    static std::string Text(const DxfDrawing& drawing);
};
