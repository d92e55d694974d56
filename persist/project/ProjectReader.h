#pragma once
#include "ArchiveReader.h"
#include "model/CurvePoint.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class ZDocument;
class ZDrawSettings;
class ZNetObject;
class ZConsumeNode;
class ZFlowLink;
struct ZNamedView;
struct ZBalanceParams;

// Reads a project file (.wnp, version 1.0, 2.0 or 2.1) from a buffer holding the whole file. Every
// reference is checked for its class where it stands (a node's first link must be a link, a link's
// ends must be nodes, the arrays hold nodes and links, the views list views), and the network's
// topology is verified before the document receives anything; a damaged file raises ArchiveError
// with the file's name and leaves the document empty.
class ProjectReader {
public:
    ProjectReader(const uint8_t* data, size_t size, std::string fileName);
    ~ProjectReader();

    void Read(ZDocument& doc);

private:
    enum ClassId : uint8_t { ConsumeNode, PipeLink, PumpLink, ValveLink, TankLink, NamedView, NetBkDib, ClassCount };
    enum EntryKind : uint8_t { NullEntry, ClassEntry, NodeEntry, LinkEntry, ViewEntry, DibEntry };
    struct Entry {
        EntryKind kind = NullEntry;
        ClassId cls = ClassCount;
        uint16_t schema = 0;
        void* ptr = nullptr;
    };
    struct Ref {
        EntryKind kind = NullEntry;
        void* ptr = nullptr;
        bool isNew = false;
        uint16_t schema = 0;
    };

    uint32_t ReadHeader();
    uint32_t ReadVersion();
    void ReadExtendedSettings(ZBalanceParams& p);
    Curve ReadCurve(const char* field, const std::string& owner);
    // The schema a class may have beyond its own in this file (0: none).
    uint16_t ExtendedSchema(int classId) const;
    void CheckComponent(const ZFlowLink& link, const std::string& owner);
    void ReadDrawSettings(ZDrawSettings& ds);
    // A DOUBLE that must be finite; `owner` names the object for the message (with the field).
    double Finite(const char* field, const std::string& owner);
    static std::string Describe(const ZNetObject& obj);
    void ReadNetwork();
    void ReadViewsAndBitmap(ZDocument& doc);
    void Verify();
    void HandOver(ZDocument& doc);

    // Reads one reference, which must be null or of the expected kind (else bad class); a new
    // object is created and entered in the table, its fields unread.
    Ref ReadRef(EntryKind expected);
    // A reference that must be a network object of the given kind (or null), read with everything
    // first reached through it.
    ZNetObject* ReadNetworkRef(EntryKind expected);
    void ReadHead(ZNetObject& obj);
    void ReadTail(ZNetObject& obj, uint16_t schema);
    void SetRef(ZNetObject& obj, int slot, ZNetObject* target);
    static EntryKind KindOf(ClassId c);
    static int RefCount(const ZNetObject& obj);
    static EntryKind RefKind(const ZNetObject& obj, int slot);

    ArchiveReader m_ar;
    uint32_t m_version = 0;
    std::vector<Entry> m_table;
    std::vector<std::unique_ptr<ZConsumeNode>> m_nodes;   // every node created, in creation order
    std::vector<std::unique_ptr<ZFlowLink>> m_links;
    std::vector<ZConsumeNode*> m_nodeArray;   // the stored arrays
    std::vector<ZFlowLink*> m_linkArray;
    std::deque<ZNamedView> m_viewObjects;
    struct Frame {
        ZNetObject* obj;
        uint16_t schema;
        int next;
    };
    std::vector<Frame> m_stack;
};
