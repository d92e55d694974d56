#pragma once
#include "ViewExtent.h"
#include "ZContourSet.h"
#include "ZDrawSettings.h"
#include "ZNamedView.h"
#include "ZNetBkDib.h"
#include "ZNetwork.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Everything one project holds, free of any UI: the network, its display and calculation record,
// named views, background image, extents and the file's version and kind. The Qt document owns one.
class ZDocument {
public:
    static constexpr uint32_t Version1 = 0x10000;
    static constexpr uint32_t HighestVersion = 0x20000;
    enum FileKindValue { ProjectFile = 1, TextFile = 2 };

    explicit ZDocument(int nodeGradeColors = 5, int pipeGradeColors = 5);

    ZNetwork& GetNetwork() { return m_network; }
    const ZNetwork& GetNetwork() const { return m_network; }
    ZDrawSettings& GetDrawSettings() { return m_drawSettings; }
    const ZDrawSettings& GetDrawSettings() const { return m_drawSettings; }
    std::vector<ZNamedView>& GetNamedViews() { return m_namedViews; }
    const std::vector<ZNamedView>& GetNamedViews() const { return m_namedViews; }

    const ViewExtent& GetExtents() const { return m_extents; }
    void SetExtents(const ViewExtent& e) { m_extents = e; }
    // The network's bounds, widened by a visible background image (or the image's alone when
    // the network has no area).
    ViewExtent FullExtent() const;
    // The same with the network's bounds as the view draws them.
    ViewExtent FullExtent(const ZNetView& view) const;

    // The contours shown until the next generation; never saved.
    ZContourSet& GetContours() { return m_contours; }
    const ZContourSet& GetContours() const { return m_contours; }

    ZNetBkDib* GetBkDib() const { return m_bkDib.get(); }
    // Replaces the image; returns true when something changed (the caller marks the document modified).
    bool SetBkDib(std::unique_ptr<ZNetBkDib> dib);

    uint32_t GetFileVersion() const { return m_fileVersion; }
    void SetFileVersion(uint32_t v) { m_fileVersion = v; }
    int GetFileKind() const { return m_fileKind; }
    void SetFileKind(int kind) { m_fileKind = kind; }
    // Text when the name's last three characters, upper-cased, are "TXT"; else a project file.
    static int FileKindFromName(const std::string& path);
    static std::string VersionText(uint32_t v);   // "%d.%d"

    // Back to a new, empty document (kept settings record sizes).
    void Reset();

private:
    ViewExtent WithBackground(ViewExtent networkRect) const;

    ZNetwork m_network;
    ZDrawSettings m_drawSettings;
    std::vector<ZNamedView> m_namedViews;
    std::unique_ptr<ZNetBkDib> m_bkDib;
    ZContourSet m_contours;
    ViewExtent m_extents{0.0, 0.0, 1000.0, 1000.0};
    uint32_t m_fileVersion = HighestVersion;
    int m_fileKind = ProjectFile;
    int m_nodeGradeColors;
    int m_pipeGradeColors;
};
