#include "ZGridColumns.h"
#include "text/CCoreText.h"

#include "GbkText.h"

#include "model/NumberFormat.h"
#include "model/UnitSystem.h"
#include "model/ZFieldTable.h"
#include "model/ZFlowNode.h"

#include <QStringList>

#include <chrono>

namespace {

ZNetObject::Kind KindOf(int tab)
{
    return static_cast<ZNetObject::Kind>(tab);
}

const ZField* FieldOf(int tab, int column)
{
    if (tab < 0 || tab >= ZGridColumns::TabCount || column < 0)
        return nullptr;
    const auto& columns = ZFieldTable::Columns(KindOf(tab));
    return column < static_cast<int>(columns.size()) ? columns[static_cast<size_t>(column)] : nullptr;
}

QString Item(const char* list, int index)
{
    const QStringList items = QString::fromUtf8(list).split(QLatin1Char('\n'));
    return index >= 0 && index < items.size() ? items[index] : QString();
}

QString DateText(uint32_t seconds)
{
    using namespace std::chrono;
    const year_month_day d{floor<days>(sys_seconds{seconds * 1s})};
    return QString::asprintf("%04d/%02u/%02u", static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                             static_cast<unsigned>(d.day()));
}

QString FromStd(const std::string& s)
{
    // A small negative value rounds to "-0.00": shown without the sign.
    if (!s.empty() && s[0] == '-' && s.find_first_not_of("0.", 1) == std::string::npos)
        return QString::fromLatin1(s.data() + 1, static_cast<qsizetype>(s.size()) - 1);
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

const UnitCategory* Category(int category, const UnitSystem& u)
{
    return category >= 0 && category < UnitSystem::CategoryCount ? &u.Get(UnitSystem::Category(category)) : nullptr;
}

}   // namespace

int ZGridColumns::ColumnCount(int tab)
{
    return tab >= 0 && tab < TabCount ? static_cast<int>(ZFieldTable::Columns(KindOf(tab)).size()) : 0;
}

int ZGridColumns::ColumnOf(int tab, std::string_view key)
{
    for (int c = 0; c < ColumnCount(tab); ++c)
        if (FieldOf(tab, c)->key == key)
            return c;
    return -1;
}

QString ZGridColumns::Title(int tab, int column)
{
    const ZField* f = FieldOf(tab, column);
    return f ? CCoreText::Tr(QString::fromUtf8(f->Title())) : QString();
}

QString ZGridColumns::UnitName(int tab, int column, const UnitSystem& u)
{
    const ZField* f = FieldOf(tab, column);
    if (!f)
        return {};
    if (f->unitText)
        return QString::fromUtf8(f->unitText);
    const UnitCategory* c = Category(f->unit, u);
    return c ? QString::fromStdString(c->UnitName()) : QString();
}

QString ZGridColumns::TitleWithUnit(int tab, int column, const UnitSystem& u)
{
    const QString unit = UnitName(tab, column, u);
    const QString title = Title(tab, column);
    return unit.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, unit);
}

bool ZGridColumns::IsResult(int tab, int column, const ZNetObject& o)
{
    const ZField* f = FieldOf(tab, column);
    return f && f->IsResultOf(o);
}

QString ZGridColumns::Text(int tab, int column, const ZNetObject& o, const UnitSystem& u)
{
    const ZField* f = FieldOf(tab, column);
    if (!f)
        return {};
    if (f->type == ZField::Text)
        return GbkText::ToQString(f->text(o));
    // A node cut off from every known head has no head: its cells stay empty.
    if (tab == NodeTab && f->unit == UnitSystem::Head && static_cast<const ZFlowNode&>(o).IsCutOff())
        return {};
    const double v = f->get(o);
    if (f->IsChoice())
        return Item(f->shortItems ? f->shortItems : f->items, static_cast<int>(v));
    if (f->type == ZField::Date)
        return DateText(static_cast<uint32_t>(v));
    if (f->type == ZField::Int || f->type == ZField::Bool)
        return QString::number(static_cast<long long>(v));
    if (const UnitCategory* c = Category(f->unit, u))
        return FromStd(c->FormatFixed(v));
    if (const UnitCategory* c = Category(f->digits, u))
        return FromStd(NumberFormat::Fixed(v, c->Precision()));
    return FromStd(UnitSystem::FormatPlain(v));
}

bool ZGridColumns::IsNumeric(int tab, int column)
{
    const ZField* f = FieldOf(tab, column);
    return f && f->type != ZField::Text && !f->IsChoice();
}

double ZGridColumns::Value(int tab, int column, const ZNetObject& o)
{
    const ZField* f = FieldOf(tab, column);
    return f && f->get ? f->get(o) : 0.0;
}

int ZGridColumns::TabOf(const ZNetObject& o)
{
    switch (o.GetKind()) {
    case ZNetObject::Kind::Node:
        return o.IsHidden() ? -1 : NodeTab;
    case ZNetObject::Kind::Pipe:
        return PipeTab;
    case ZNetObject::Kind::Pump:
        return PumpTab;
    case ZNetObject::Kind::Valve:
        return ValveTab;
    case ZNetObject::Kind::Tank:
        return TankTab;
    }
    return -1;
}

bool ZGridColumns::NaturalLess(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ie = i, je = j;
            while (ie < a.size() && a[ie].isDigit())
                ++ie;
            while (je < b.size() && b[je].isDigit())
                ++je;
            // Compare by value: leading zeros aside, the longer run is larger.
            qsizetype is = i, js = j;
            while (is + 1 < ie && a[is] == QLatin1Char('0'))
                ++is;
            while (js + 1 < je && b[js] == QLatin1Char('0'))
                ++js;
            if (ie - is != je - js)
                return ie - is < je - js;
            for (qsizetype k = 0; k < ie - is; ++k)
                if (a[is + k] != b[js + k])
                    return a[is + k] < b[js + k];
            i = ie;
            j = je;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}
