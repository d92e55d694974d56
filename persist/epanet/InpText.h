#pragma once
#include <string>
#include <string_view>

// Small text helpers shared by the EPANET reader and writer.
namespace InpText {
// A whole field as a finite number, read the same in every locale.
bool ParseFinite(std::string_view field, double& value);
// ASCII letters upper-cased (keywords and section names are read in any case).
std::string Upper(std::string_view s);
// File text (GBK) for a message: control bytes and bytes that are not GBK text as \xNN, so a
// message never carries raw file bytes, and cut with "..." after `maxBytes` (a huge identifier
// must not flood the message).
std::string Printable(std::string_view s, size_t maxBytes = 64);
// `v` with twelve significant digits, the same in every locale; ArchiveError for a value that is
// not finite (its reader would refuse it).
std::string Format(double v);
}   // namespace InpText
