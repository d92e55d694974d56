#include "PropertyForm.h"
#include "PropertyNumber.h"

#include "model/UnitSystem.h"
#include "model/ZFieldTable.h"
#include "views/GbkText.h"

namespace {
constexpr int64_t kDay = 86400;

const UnitCategory* Category(const UnitSystem& units, int unit)
{
    return unit >= 0 && unit < UnitSystem::CategoryCount ? &units.Get(UnitSystem::Category(unit)) : nullptr;
}

QString Utf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
}   // namespace

PropertyForm::PropertyForm(ZNetObject::Kind kind, Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : m_kind(kind), m_mode(mode), m_objects(std::move(objects)), m_units(units)
{
    for (const ZField& f : ZFieldTable::Of(kind))
        if (f.group != ZField::Nowhere && f.key != std::string_view("Id"))
            AddField(f);
}

PropertyForm::~PropertyForm() = default;

// Choices and dates are lists, checks are flags, identifiers are shown; the rest are numbers,
// typed only when they are inputs.
void PropertyForm::AddField(const ZField& f)
{
    auto get = f.get;
    auto set = f.set;
    switch (f.type) {
    case ZField::Text:
        m_shown.push_back(
            Shown{f.key, [text = f.text](const ZNetObject& o) { return GbkText::ToQString(text(o)); }, QString()});
        return;
    case ZField::Bool:
        m_flags.push_back(Flag{f.key, [get](const ZNetObject& o) { return get(o) != 0.0; },
                               [set](ZNetObject& o, bool on) { set(o, on ? 1.0 : 0.0); }});
        return;
    case ZField::Date:
        // The date picker edits whole days; the day number is the choice.
        m_choices.push_back(Choice{f.key, [get](const ZNetObject& o) { return int(int64_t(get(o)) / kDay); },
                                   [set](ZNetObject& o, int day) { set(o, double(int64_t(day) * kDay)); }});
        return;
    default:
        break;
    }
    if (f.IsChoice()) {
        Choice c{f.key, [get](const ZNetObject& o) { return int(get(o)); }, [set](ZNetObject& o, int i) { set(o, i); }};
        if (!f.IsInput()) {
            c.set = nullptr;
            c.enabled = false;
            c.result = true;
        }
        m_choices.push_back(std::move(c));
        return;
    }
    Number n;
    n.key = f.key;
    n.unit = f.unit;
    n.integer = f.type == ZField::Int;
    n.get = get;
    if (f.IsInput())
        n.set = set;
    n.ranged = f.HasRange();
    n.low = f.low;
    n.high = f.high;
    if (f.resultOf)
        n.resultOf = f.resultOf;
    m_numbers.push_back(std::move(n));
}

template <class T>
static T* FindIn(std::vector<T>& v, std::string_view key)
{
    for (T& f : v)
        if (f.key == key)
            return &f;
    return nullptr;
}

PropertyForm::Number* PropertyForm::FindNumber(std::string_view key)
{
    return FindIn(m_numbers, key);
}
PropertyForm::Choice* PropertyForm::FindChoice(std::string_view key)
{
    return FindIn(m_choices, key);
}
PropertyForm::Flag* PropertyForm::FindFlag(std::string_view key)
{
    return FindIn(m_flags, key);
}
PropertyForm::Shown* PropertyForm::FindShown(std::string_view key)
{
    return FindIn(m_shown, key);
}

QString PropertyForm::Format(int unit, double v) const
{
    if (const UnitCategory* c = Category(m_units, unit))
        return Utf8(c->FormatFixed(v));
    return Utf8(PropertyNumber::Plain(v));
}

double PropertyForm::ToBase(int unit, double shown) const
{
    const UnitCategory* c = Category(m_units, unit);
    return c ? c->FromDisplay(shown) : shown;
}

QString PropertyForm::RangeMessage(double low, double high, bool integer)
{
    return tr("请输入一个介于%1和%2之间的%3。")
        .arg(Utf8(PropertyNumber::Plain(low)), Utf8(PropertyNumber::Plain(high)), integer ? tr("整数") : tr("数"));
}

void PropertyForm::Load()
{
    m_loadedId = m_objects.size() == 1 ? GbkText::ToQString(m_objects.front()->IdView()) : QString();
    IdText = m_loadedId;
    if (m_objects.empty())
        return;
    const ZNetObject& first = *m_objects.front();
    for (Number& f : m_numbers) {
        const double v = f.get(first);
        bool same = true;
        for (size_t i = 1; i < m_objects.size() && same; ++i)
            same = PropertyNumber::Same(f.get(*m_objects[i]), v);
        f.text = same ? Format(f.unit, v) : QString();
        f.loaded = f.text;
    }
    for (Choice& c : m_choices) {
        c.index = c.get(first);
        for (size_t i = 1; i < m_objects.size() && c.index >= 0; ++i)
            if (c.get(*m_objects[i]) != c.index)
                c.index = -1;
    }
    for (Flag& f : m_flags) {
        const bool on = f.get(first);
        f.state = on ? Checked : Unchecked;
        for (size_t i = 1; i < m_objects.size(); ++i)
            if (f.get(*m_objects[i]) != on) {
                f.state = Undetermined;
                break;
            }
    }
    for (Shown& s : m_shown) {
        s.text = s.get(first);
        for (size_t i = 1; i < m_objects.size(); ++i)
            if (s.get(*m_objects[i]) != s.text) {
                s.text.clear();
                break;
            }
    }
    LoadExtra();
}

PropertyForm::Failure PropertyForm::CheckId() const
{
    // The object's own identifier as loaded is always fine, even one longer than may be typed.
    if (!m_loadedId.isEmpty() && IdText == m_loadedId)
        return {};
    const QString id = IdText.trimmed();
    const QString taken = tr("编号%1已经存在!").arg(id);
    if (id.isEmpty())
        return {"Id", taken};
    const GbkString gbk = GbkText::FromQString(id);
    // The identifier must survive the file's 19 bytes of GBK unchanged.
    if (!ZNetObject::IsValidId(gbk) || GbkText::ToQString(gbk) != id ||
        (m_mode != TemplateMode && m_objects.front()->IsNode() && id.size() > MaxNodeIdChars))
        return {"Id", tr("编号%1太长或含有不能保存的字符!").arg(id)};
    if (gbk != m_objects.front()->IdView() && IdTaken && IdTaken(gbk))
        return {"Id", taken};
    return {};
}

PropertyForm::Failure PropertyForm::Validate() const
{
    if (IdEditable() && !m_objects.empty())
        if (Failure f = CheckId())
            return f;
    for (const Number& f : m_numbers) {
        if (!f.enabled || f.IsResult())
            continue;
        const QByteArray text = f.text.toUtf8();
        double value = 0.0;
        bool typed = !f.text.trimmed().isEmpty();
        if (typed) {
            int n = 0;
            const bool ok = f.integer ? PropertyNumber::ParseInt(text.toStdString(), n)
                                      : PropertyNumber::Parse(text.toStdString(), value);
            if (!ok)
                return {f.key, f.integer ? tr("请输入一个整数。") : tr("请输入一个数。")};
            if (f.integer)
                value = n;
        } else if (m_objects.size() == 1) {
            const UnitCategory* c = Category(m_units, f.unit);
            value = c ? c->ToDisplay(f.get(*m_objects.front())) : f.get(*m_objects.front());
        } else {
            continue;
        }
        const QString range = CheckRange(f, typed, value);
        if (!range.isEmpty())
            return {f.key, range};
    }
    return CheckExtra();
}

QString PropertyForm::CheckRange(const Number& f, bool typed, double value) const
{
    if (!typed || !f.ranged)
        return {};
    const UnitCategory* c = Category(m_units, f.unit);
    const double low = c ? c->ToDisplay(f.low) : f.low;
    const double high = c ? c->ToDisplay(f.high) : f.high;
    return value < low || value > high ? RangeMessage(low, high, f.integer) : QString();
}

void PropertyForm::WithholdResults(const std::function<bool(const ZNetObject&)>& stale)
{
    for (Choice& c : m_choices)
        for (const ZNetObject* o : m_objects)
            if (c.result && stale(*o)) {
                c.index = -1;
                break;
            }
    for (Number& f : m_numbers)
        for (const ZNetObject* o : m_objects)
            if (f.IsResultOf(*o) && stale(*o)) {
                f.text.clear();
                f.loaded.clear();
                break;
            }
}

bool PropertyForm::TextChanged(const Number& f) const
{
    const QString t = f.text.trimmed();
    return !t.isEmpty() && t != f.loaded.trimmed();
}

void PropertyForm::TouchOnce(const Sink& sink, ZNetObject& obj, bool& touched)
{
    if (touched)
        return;
    touched = true;
    if (sink.touch)
        sink.touch(obj);
}

int PropertyForm::Apply(const Sink& sink)
{
    int changed = 0;
    for (ZNetObject* obj : m_objects)
        if (ApplyTo(*obj, sink))
            ++changed;
    return changed;
}

bool PropertyForm::ApplyTo(ZNetObject& obj, const Sink& sink)
{
    bool touched = false;
    const std::function<void()> touch = [&]() { TouchOnce(sink, obj, touched); };
    for (const Number& f : m_numbers) {
        // Only what the user typed: a value shown rounded to the unit's decimals and left alone
        // keeps its stored digits.
        if (!f.enabled || f.IsResult() || f.custom || !TextChanged(f))
            continue;
        double shown = 0.0;
        if (f.integer) {
            int n = 0;
            if (!PropertyNumber::ParseInt(f.text.toStdString(), n))
                continue;
            shown = n;
        } else if (!PropertyNumber::Parse(f.text.toStdString(), shown)) {
            continue;
        }
        const double v = ToBase(f.unit, shown);
        if (PropertyNumber::Same(f.get(obj), v))
            continue;
        touch();
        f.set(obj, v);
    }
    for (const Choice& c : m_choices) {
        if (!c.enabled || !c.set || c.index < 0 || c.get(obj) == c.index)
            continue;
        touch();
        c.set(obj, c.index);
    }
    for (const Flag& f : m_flags) {
        if (!f.enabled || f.state == Undetermined || f.get(obj) == (f.state == Checked))
            continue;
        touch();
        f.set(obj, f.state == Checked);
    }
    if (ApplyExtra(obj, sink, touch))
        touch();
    if (IdEditable() && IdText != m_loadedId) {
        const GbkString gbk = GbkText::FromQString(IdText.trimmed());
        if (gbk != obj.IdView()) {
            touch();
            if (sink.rename)
                sink.rename(obj, gbk);
            else
                obj.SetId(gbk);
        }
    }
    return touched;
}

bool PropertyForm::ApplyExtra(ZNetObject&, const Sink&, const std::function<void()>&)
{
    return false;
}
