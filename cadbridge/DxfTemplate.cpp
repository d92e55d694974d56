#include "DxfTemplate.h"
#include "DxfStringWriter.h"
#include "DxfTagReader.h"

#include <dxflib/dl_dxf.h>

#include <map>
#include <memory>
#include <string>

namespace {

void WriteStyle(const DxfStringWriter& w, const char* name, const char* font, const char* bigFont, const char* family)
{
    w.dxfString(0, "STYLE");
    w.handle();
    w.dxfString(330, "3");   // the STYLE table dxflib writes
    w.dxfString(100, "AcDbSymbolTableRecord");
    w.dxfString(100, "AcDbTextStyleTableRecord");
    w.dxfString(2, name);
    w.dxfInt(70, 0);
    w.dxfReal(40, 0.0);
    w.dxfReal(41, 1.0);
    w.dxfReal(50, 0.0);
    w.dxfInt(71, 0);
    w.dxfReal(42, 2.5);
    w.dxfString(3, font);
    w.dxfString(4, bigFont);
    if (*family) {
        // The TrueType family, as CAD programs name it beside the file.
        w.dxfString(1001, "ACAD");
        w.dxfString(1000, family);
        w.dxfInt(1071, 0);
    }
}

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
    w->tableStyle(2);
    // Latin glyphs from txt.shx, Chinese from the GB big font gbcbig.shx, the pair Chinese CAD
    // drawings declare and CAD programs ship; every text uses it. QEN_TTF is the TrueType
    // alternative (SimSun) a user can switch texts to. Written by hand: dxflib's style record
    // leaves both file names empty from R2000 on.
    WriteStyle(*w, "Standard", "txt", "gbcbig.shx", "");
    WriteStyle(*w, "QEN_TTF", "simsun.ttf", "", "SimSun");
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

// dxflib writes the objects without their owners, which readers then repair: each object gets
// the dictionary that names it (the root dictionary the null owner).
DxfTagList WithObjectOwners(DxfTagList tags)
{
    size_t begin = 0, end = 0;
    for (size_t i = 0; i + 1 < tags.size(); ++i) {
        if (tags[i].code == 0 && tags[i].value == "SECTION" && tags[i + 1].value == "OBJECTS")
            begin = i + 2;
        else if (begin && !end && tags[i].code == 0 && tags[i].value == "ENDSEC")
            end = i;
    }
    std::map<std::string, std::string> owner;
    std::string current;
    for (size_t i = begin; i < end; ++i) {
        if (tags[i].code == 0)
            current.clear();
        else if (tags[i].code == 5 && current.empty())
            current = tags[i].value;
        else if ((tags[i].code == 350 || tags[i].code == 360) && !current.empty())
            owner.emplace(tags[i].value, current);
    }
    DxfTagList out;
    out.reserve(tags.size() + 32);
    for (size_t i = 0; i < tags.size(); ++i) {
        out.push_back(tags[i]);
        const bool object = i >= begin && i < end && tags[i].code == 5 && tags[i - 1].code == 0;
        if (object && !(i + 1 < tags.size() && tags[i + 1].code == 330)) {
            const auto o = owner.find(tags[i].value);
            out.push_back({330, o == owner.end() ? "0" : o->second});
        }
    }
    return out;
}

}   // namespace

DxfTagList DxfTemplate::Tags()
{
    static const DxfTagList tags = WithObjectOwners(DxfTagReader::ReadBuffer(WriteSkeleton(), "new drawing"));
    return tags;
}
