#pragma once
#include <string>

class ZDocument;

// One save and reload through a file format, in memory, with the default units and templates.
// Load throws ArchiveError as the readers do.
namespace FormatRoundTrip {
enum Format { Project, Text };

std::string Save(const ZDocument& doc, Format format);
void Load(const std::string& bytes, ZDocument& doc, Format format, const std::string& name = "roundtrip");

// Saves `doc`, loads the bytes into `back` and saves that again: a format carries what it reads
// when the second save equals the first. Returns an empty text when it does, else where they part.
std::string Check(const ZDocument& doc, ZDocument& back, Format format);
}   // namespace FormatRoundTrip
