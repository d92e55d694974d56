#pragma once
#include <cstdint>
#include <string>

class Prompt;
class ZDocument;

// The project file (.wnp): whole-file reading and atomic writing, and the upgrade question asked
// before a version 1.0 document is saved.
class ProjectFile {
public:
    // The file's bytes for the document's version (2.0, or 1.0 when the upgrade was declined).
    static std::string Serialize(const ZDocument& doc);
    // Replaces the document's content; on any error throws ArchiveError naming `fileName` and
    // leaves the document new and empty.
    static void Deserialize(const uint8_t* data, size_t size, const std::string& fileName, ZDocument& doc);

    static void LoadFile(const std::string& path, ZDocument& doc);
    // Atomic: the target is the old file or the complete new one.
    static void SaveFile(const std::string& path, const ZDocument& doc);

    // For a document older than the highest version, asks "当前的WNP文件版本是%1, 要升级到%2吗?";
    // yes raises the document's version. Returns the answer (true when nothing was asked).
    static bool ConfirmUpgrade(ZDocument& doc, Prompt& prompt);
};
