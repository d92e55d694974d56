#include "DxfTemplate.h"
#include "DxfStringWriter.h"
#include "DxfTagReader.h"

#include <dxflib/dl_dxf.h>

#include <memory>
#include <string>

namespace {

std::string WriteSkeleton()
{
    DL_Dxf dxf;
    auto w = std::make_unique<DxfStringWriter>();
    dxf.writeHeader(*w);
    w->dxfString(9, "$DWGCODEPAGE");
    w->dxfString(3, "ANSI_936");
    w->dxfString(9, "$INSUNITS");
    w->dxfInt(70, 4);   // millimetres: 1000 units per metre, the export's default scale
    w->dxfString(9, "$MEASUREMENT");
    w->dxfInt(70, 1);
    w->sectionEnd();

    w->sectionTables();
    dxf.writeVPort(*w);
    w->tableLinetypes(3);
    dxf.writeLinetype(*w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(*w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(*w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    w->tableEnd();
    w->tableLayers(1);
    dxf.writeLayer(*w, DL_LayerData("0", 0), DL_Attributes("", 7, 0x00ffffff, 15, "CONTINUOUS"));
    w->tableEnd();
    w->tableStyle(1);
    // Latin glyphs from txt, Chinese from the GB big font, as Chinese CAD drawings declare them.
    dxf.writeStyle(*w, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", "gbcbig"));
    w->tableEnd();
    dxf.writeView(*w);
    dxf.writeUcs(*w);
    w->tableAppid(1);
    dxf.writeAppid(*w, "ACAD");
    w->tableEnd();
    dxf.writeDimStyle(*w, 2.5, 0.625, 0.625, 0.625, 2.5);
    dxf.writeBlockRecord(*w);
    w->tableEnd();
    w->sectionEnd();

    w->sectionBlocks();
    dxf.writeBlock(*w, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*w, "*Model_Space");
    dxf.writeBlock(*w, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*w, "*Paper_Space");
    dxf.writeBlock(*w, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*w, "*Paper_Space0");
    w->sectionEnd();

    w->sectionEntities();
    w->sectionEnd();
    dxf.writeObjects(*w);
    dxf.writeObjectsEnd(*w);
    w->dxfEOF();
    return w->Text();
}

}   // namespace

DxfTagList DxfTemplate::Tags()
{
    static const DxfTagList tags = DxfTagReader::ReadBuffer(WriteSkeleton(), "new drawing");
    return tags;
}
