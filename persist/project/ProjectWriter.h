#pragma once
#include "ArchiveWriter.h"
#include "persist/ProjectExtension.h"
#include "model/CurvePoint.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class ZDocument;
class ZDrawSettings;
class ZNetObject;
struct ZBalanceParams;

// Writes one document as a project file (.wnp) of the document's version: 2.0 with header, named
// views and bitmap; 1.0 without them; 2.1 (ProjectExtension) whenever the document needs it. The object graph of the
// network is written depth-first with an explicit stack, so long chains of nodes and links need no deep call stack.
class ProjectWriter {
public:
    static constexpr uint32_t Magic = 0x00555555;
    static constexpr uint16_t HeaderSize = 104;

    explicit ProjectWriter(const ZDocument& doc);

    // The whole file. Throws ArchiveError (without a file name) instead of writing what the reader
    // refuses: a number that is not finite, settings out of range.
    std::string Write();

    // What is wrong with settings that the program could not work with (empty when nothing is):
    // the reader refuses them as a file error, the writer never writes them.
    static std::string SettingsProblem(const ZDrawSettings& ds);

    // The pieces, in file order (Write calls them); public so tests can check the traversal.
    void WriteHeader(uint32_t version);
    void WriteExtents();
    void WriteDrawSettings(const ZDrawSettings& ds);
    void WriteExtendedSettings(const ZBalanceParams& p);
    void WriteNetwork();
    void WriteViewsAndBitmap();

    // One network object reference with everything first reached through it.
    void WriteNetworkRef(const ZNetObject* obj);
    // The parts every traversal is made of: the reference itself (true when the object is new and
    // its fields must follow now), the fields before the object's references, the references in
    // field order, and the fields after them.
    bool BeginRef(const ZNetObject* obj);
    void WriteHead(const ZNetObject& obj);
    static int RefCount(const ZNetObject& obj);
    static const ZNetObject* RefAt(const ZNetObject& obj, int i);
    void WriteTail(const ZNetObject& obj);

    ArchiveWriter& Archive() { return m_ar; }

private:
    uint32_t& IndexSlot(const ZNetObject* obj);
    uint16_t SchemaOf(const ZNetObject& obj) const;
    void WriteCurve(const Curve& c);

    const ZDocument& m_doc;
    ArchiveWriter m_ar;
    ProjectExtension::Schemas m_schemas;
    // Map indices by array position (objects in the network); a map for anything else.
    std::vector<uint32_t> m_nodeIndex;
    std::vector<uint32_t> m_linkIndex;
    std::unordered_map<const ZNetObject*, uint32_t> m_otherIndex;
    struct Frame {
        const ZNetObject* obj;
        int next;
    };
    std::vector<Frame> m_stack;
};
