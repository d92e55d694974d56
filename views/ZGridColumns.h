#pragma once
#include <QString>

#include <string_view>

class UnitSystem;
class ZNetObject;

// The columns of the five tables, as the kinds' field tables place them: titles, cell texts in the
// user's units and sort keys. Column numbers here count data columns from 0; the record marker is
// not one of them.
class ZGridColumns {
public:
    // In the order of ZNetObject::Kind.
    enum Tab { NodeTab = 0, PipeTab, PumpTab, ValveTab, TankTab, TabCount };

    static int ColumnCount(int tab);
    // The column of the field `key`, or -1.
    static int ColumnOf(int tab, std::string_view key);
    static QString Title(int tab, int column);
    // The display unit of a column's values, empty for plain numbers and texts.
    static QString UnitName(int tab, int column, const UnitSystem& units);
    // The title followed by its unit in parentheses, "流量 (l/s)"; the title alone without one.
    static QString TitleWithUnit(int tab, int column, const UnitSystem& units);
    static QString Text(int tab, int column, const ZNetObject& o, const UnitSystem& units);
    // The column shows a balancing result of this object (a source's supply, a head the run
    // computed, a link's flow and what follows from it).
    static bool IsResult(int tab, int column, const ZNetObject& o);
    // Numeric columns sort by value (base units, so the order does not depend on the unit);
    // the others by their text, digit runs compared as numbers.
    static bool IsNumeric(int tab, int column);
    static double Value(int tab, int column, const ZNetObject& o);
    // The tab listing an object, or -1 (a tank's internal node has none).
    static int TabOf(const ZNetObject& o);
    // a < b with digit runs compared by value: "J2" < "J10".
    static bool NaturalLess(const QString& a, const QString& b);
};
