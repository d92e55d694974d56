#include "DxfTemplate.h"
#include "DxfError.h"
#include "DxfTagReader.h"

#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <locale.h>
#include <memory>
#include <unistd.h>

namespace {

// dxflib formats numbers with the C library, which follows the program's locale: under one with
// a decimal comma it would write "0,0". The skeleton is written with this thread in the C locale.
class CNumericLocale {
public:
    CNumericLocale() : m_c(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0)))
    {
        if (m_c)
            m_old = uselocale(m_c);
    }
    ~CNumericLocale()
    {
        if (m_c) {
            uselocale(m_old);
            freelocale(m_c);
        }
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t m_c;
    locale_t m_old = static_cast<locale_t>(0);
};

// dxflib writes only to a named file, so the skeleton goes through a temporary one.
void WriteSkeleton(const char* path)
{
    const CNumericLocale cLocale;
    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA> w(dxf.out(path, DL_Codes::AC1015));
    if (!w)
        throw DxfError("无法创建临时文件。");
    dxf.writeHeader(*w);
    w->dxfString(9, "$DWGCODEPAGE");
    w->dxfString(3, "ANSI_936");
    w->dxfString(9, "$INSUNITS");
    w->dxfInt(70, 6);   // metres
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
    w->close();
}

} // namespace

DxfTagList DxfTemplate::Tags()
{
    static const DxfTagList tags = [] {
        std::string path = (std::filesystem::temp_directory_path() / "cadbridge-XXXXXX").string();
        const int fd = mkstemp(path.data());
        if (fd < 0)
            throw DxfError("无法创建临时文件。");
        close(fd);
        try {
            WriteSkeleton(path.c_str());
            DxfTagList t = DxfTagReader::ReadFile(path);
            std::remove(path.c_str());
            return t;
        } catch (...) {
            std::remove(path.c_str());
            throw;
        }
    }();
    return tags;
}
