#pragma once
#include "model/UnitSystem.h"
#include "model/ZTemplateSet.h"

#include <string>

class ZDocument;

// Loads and saves documents by file kind (taken from the name, as the program does) with the
// default display units and object templates, which is what a fresh installation uses.
class DocumentIo {
public:
    // Throws ArchiveError when the file cannot be read or is invalid.
    void Load(const std::string& path, ZDocument& doc) const;
    // Throws ArchiveError when the file cannot be written. Saving asks the program's upgrade
    // question for an older document; the tool answers yes unless told to keep the version.
    void Save(const std::string& path, ZDocument& doc, bool keepVersion = false) const;

    const UnitSystem& Units() const { return m_units; }
    const ZTemplateSet& Templates() const { return m_templates; }
    static const char* KindName(int fileKind);
    // The name's extension in lower case (".wnp"), empty when it has none.
    static std::string Extension(const std::string& path);
    // False, after a message naming the command and option, when a network file to be written is
    // named like a file of another format (".inp", ".dxf", ".csv"...): it would be written as a
    // project file under that name. Other names keep the program's rule (.txt text, else project).
    static bool CheckSaveName(const std::string& command, const std::string& option, const std::string& path);

private:
    UnitSystem m_units;
    ZTemplateSet m_templates;
};
