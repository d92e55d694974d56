#include "ZDocument.h"

#include <cctype>

ZDocument::ZDocument(int nodeGradeColors, int pipeGradeColors)
    : m_drawSettings(nodeGradeColors, pipeGradeColors), m_nodeGradeColors(nodeGradeColors),
      m_pipeGradeColors(pipeGradeColors)
{
}

ViewExtent ZDocument::FullExtent() const
{
    return WithBackground(m_network.BoundRect());
}

ViewExtent ZDocument::FullExtent(const ZNetView& view) const
{
    return WithBackground(m_network.BoundRect(view));
}

ViewExtent ZDocument::WithBackground(ViewExtent r) const
{
    if (!m_bkDib || !m_bkDib->BkVisible)
        return r;
    ViewExtent bk{m_bkDib->BkLeft, m_bkDib->BkTop - m_bkDib->BkHeight, m_bkDib->BkLeft + m_bkDib->BkWidth,
                  m_bkDib->BkTop};
    bk.Normalize();
    if (!(r.Width() > 0.0) || !(r.Height() > 0.0))
        return bk;
    r.Include(bk);
    return r;
}

bool ZDocument::SetBkDib(std::unique_ptr<ZNetBkDib> dib)
{
    if (dib.get() == m_bkDib.get())
        return false;
    m_bkDib = std::move(dib);
    return true;
}

int ZDocument::FileKindFromName(const std::string& path)
{
    if (path.size() < 3)
        return ProjectFile;
    std::string tail = path.substr(path.size() - 3);
    for (char& c : tail)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return tail == "TXT" ? TextFile : ProjectFile;
}

std::string ZDocument::VersionText(uint32_t v)
{
    return std::to_string(v >> 16) + "." + std::to_string(v & 0xFFFF);
}

void ZDocument::Reset()
{
    m_network.Clear();
    m_drawSettings = ZDrawSettings(m_nodeGradeColors, m_pipeGradeColors);
    m_namedViews.clear();
    m_bkDib.reset();
    m_contours.Clear();
    m_extents = {0.0, 0.0, 1000.0, 1000.0};
    m_fileVersion = HighestVersion;
    m_fileKind = ProjectFile;
}
