#pragma once
#include "DxfTag.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// One open drawing of the CAD session: the groups of the file it came from (or of a new empty
// drawing), kept whole so that writing it back loses nothing, plus the layers and entities added
// since. Knows the file's release, text encoding and handles so added groups fit in.
class DxfDrawing {
public:
    // Reads an ASCII DXF file; throws DxfError.
    static std::unique_ptr<DxfDrawing> Load(const std::string& path);
    // An empty R2000 drawing without a file.
    static std::unique_ptr<DxfDrawing> New();
    static std::unique_ptr<DxfDrawing> FromTags(DxfTagList tags, const std::string& path);

    const std::string& Path() const { return m_path; }
    void SetPath(const std::string& path) { m_path = path; }
    bool CameFromFile() const { return m_cameFromFile; }
    bool IsModified() const { return m_modified; }
    void SetSaved()
    {
        m_modified = false;
        m_cameFromFile = true;
    }
    const std::string& Version() const { return m_version; }
    // Entities with subclass markers and owners (R13 on); lightweight polylines (R14 on).
    bool HasSubclasses() const { return m_version >= "AC1012"; }
    bool HasLwPolylines() const { return m_version >= "AC1014"; }
    bool UsesHandles() const { return m_usesHandles; }
    const std::string& Charset() const { return m_charset; }
    const std::string& ModelSpaceOwner() const { return m_modelSpaceOwner; }
    // The next free handle; a DxfError when the drawing, as it was read, had no room for more.
    std::string NextHandle();
    // Why nothing can be added to this drawing; empty when objects can be added.
    std::string AddRefusal() const;
    // Room for this many handles above the seed; objects are added only to a drawing read with
    // that much room, so one written by us always reads back (reading needs no room at all).
    static constexpr unsigned long long HandleRoom = 0xFFFFFFFFull;
    unsigned long long HandleSeed() const { return m_nextHandle; }

    // Before adding a GBK text or `name` (of a layer): a drawing that names no code page, or
    // whose code page cannot hold the name, is turned into code page 936 as a whole (every text
    // re-encoded, $DWGCODEPAGE changed), as readers refuse \U+XXXX escapes in names.
    void PrepareFor(std::string_view gbk, bool name);

    // Layer names as the file writes them.
    bool HasLayer(const std::string& fileName) const;
    const std::vector<std::string>& LayerNames() const { return m_layerNames; }
    void AddLayer(const std::string& fileName);

    // $INSUNITS to write (-1: as the file has it) and the box of the added entities, which the
    // writer adds to $EXTMIN/$EXTMAX.
    int Units() const { return m_units; }
    void SetUnits(int units)
    {
        m_units = units;
        m_modified = true;
    }
    void Extend(double x, double y);
    bool HasAddedExtents() const { return m_addedMin[0] <= m_addedMax[0]; }
    const double* AddedMin() const { return m_addedMin; }
    const double* AddedMax() const { return m_addedMax; }
    // Colours (ACI) a layer added in this session; false for any other layer.
    bool SetAddedLayerColour(const std::string& fileName, int colour);

    const DxfTagList& Tags() const { return m_tags; }
    const DxfTagList& AddedLayers() const { return m_addedLayers; }
    const DxfTagList& AddedEntities() const { return m_addedEntities; }
    int AddedLayerCount() const { return m_addedLayerCount; }
    DxfTagList& EntitySink()
    {
        m_modified = true;
        return m_addedEntities;
    }

    // Where added groups go: before the ENDSEC of ENTITIES, before the ENDTAB of the LAYER
    // table (-1: no LAYER table, the writer makes one), the LAYER table's count, $HANDSEED.
    size_t EntitiesEnd() const { return m_entitiesEnd; }
    long LayerTableEnd() const { return m_layerTableEnd; }
    long LayerCountTag() const { return m_layerCountTag; }
    long HandSeedTag() const { return m_handSeedTag; }
    // The first entity group of the ENTITIES section (== EntitiesEnd() when empty).
    size_t EntitiesBegin() const { return m_entitiesBegin; }
    // The line of the file where group `tag` of Tags() stood (0: a group added here).
    size_t SourceLine(size_t tag) const;

private:
    DxfDrawing() = default;
    // Refuses sections or tables that are not closed, nested or repeated; throws DxfError.
    void CheckStructure() const;
    void Analyse();
    bool AnalysePass();
    void AnalyseTables(size_t& i);
    void Transcode(DxfTagList& tags, const std::string& from) const;

    std::string m_path;
    bool m_cameFromFile = false;
    bool m_modified = false;
    DxfTagList m_tags;
    std::string m_version = "AC1009";
    std::string m_charset = "CP936";
    bool m_usesHandles = false;
    unsigned long long m_nextHandle = 1;
    unsigned long long m_maxHandle = 0;   // the highest handle in use as last analysed
    bool m_handlesFull = false;           // read with fewer than HandleRoom handles left: nothing is added
    std::string m_modelSpaceOwner;
    std::string m_layerTableHandle;
    std::string m_continuous = "CONTINUOUS";
    std::vector<std::string> m_layerNames;
    DxfTagList m_addedLayers;
    int m_addedLayerCount = 0;
    DxfTagList m_addedEntities;
    size_t m_entitiesBegin = 0;
    size_t m_entitiesEnd = 0;
    bool m_inLayerTable = false;
    long m_layerTableEnd = -1;
    long m_layerCountTag = -1;
    long m_handSeedTag = -1;
    long m_codePageTag = -1;
    long m_headerBegin = -1;
    int m_units = -1;
    double m_addedMin[2] = {1.0, 1.0};
    double m_addedMax[2] = {-1.0, -1.0};
    std::vector<std::pair<size_t, size_t>> m_inserted;   // groups added: where, how many
};
