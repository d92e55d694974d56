#include "DocumentIo.h"

#include "model/ZDocument.h"
#include "model/Prompt.h"
#include "persist/ArchiveError.h"
#include "persist/project/ProjectFile.h"
#include "persist/text/TextExchange.h"

namespace {
// Answers the upgrade question from the command line instead of a message box.
class FixedAnswer : public Prompt {
public:
    explicit FixedAnswer(bool yes) : m_yes(yes) {}
    bool AskYesNo(const std::string&) override { return m_yes; }
    void Inform(const std::string&) override {}

private:
    bool m_yes;
};
}   // namespace

void DocumentIo::Load(const std::string& path, ZDocument& doc) const
{
    const int kind = ZDocument::FileKindFromName(path);
    doc.Reset();
    doc.SetFileKind(kind);
    if (kind == ZDocument::TextFile)
        TextExchange::LoadFile(path, doc, m_units, m_templates);
    else
        ProjectFile::LoadFile(path, doc);
}

void DocumentIo::Save(const std::string& path, ZDocument& doc, bool keepVersion) const
{
    const int kind = ZDocument::FileKindFromName(path);
    FixedAnswer answer(!keepVersion);
    ProjectFile::ConfirmUpgrade(doc, answer);   // asked whatever the kind, as the program does
    if (kind == ZDocument::TextFile)
        TextExchange::SaveFile(path, doc, m_units);
    else
        ProjectFile::SaveFile(path, doc);
    doc.SetFileKind(kind);
}

const char* DocumentIo::KindName(int fileKind)
{
    return fileKind == ZDocument::TextFile ? "text exchange file" : "project file (.wnp)";
}
