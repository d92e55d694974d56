#pragma once
#include "model/CurvePoint.h"

#include <string>
#include <string_view>

class UnitCategory;
class UnitSystem;
class ZNetObject;
class ZNetwork;
struct ZBalanceParams;

// Builds the text exchange file in memory (GBK bytes) in one buffer, without per-value allocations.
class TextExporter {
public:
    explicit TextExporter(const UnitSystem& units) : m_units(units) {}

    // Throws ArchiveError (without a file name) rather than write what the reader would refuse:
    // a value that is not finite in its display unit, an identifier that would not read back.
    // `params`: the document's calculation options, written when they matter (null: never).
    std::string Write(const ZNetwork& net, const ZBalanceParams* params = nullptr);

private:
    // The sections beyond NODE to TANK, each written only when the network needs it.
    void WriteStatus(const ZNetwork& net);
    void WriteComponents(const ZNetwork& net, const ZBalanceParams* params);
    void WriteCurve(const Curve& c);       // one line of flow and head per point
    void Comment(std::string_view utf8);   // header lines are held in UTF-8 here, written in GBK
    void Text(std::string_view s);
    // Where an identifier stands decides what would not read back: "//" at a line's start makes a
    // comment, "END" alone ends the section.
    enum class IdPlace { LineStart, Within, Alone };
    // The identifier of the object whose line is being written, which it becomes.
    void Id(const ZNetObject& obj, IdPlace place);
    void Tab() { m_out.push_back('\t'); }
    void Integer(long long v);
    // The value in the category's display unit (or as it is when `unit` is null), as "%g" writes it
    // when that reads back to the same stored value, else with just enough further digits.
    void Number(double v, const UnitCategory* unit = nullptr);

    const UnitSystem& m_units;
    std::string m_out;
    const ZNetObject* m_object = nullptr;   // for messages
};
