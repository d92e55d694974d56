#include "PropertyForm.h"
#include "PropertyNumber.h"

#include "model/UnitSystem.h"
#include "model/ZNetObject.h"
#include "views/GbkText.h"

namespace {
const UnitCategory* Category(const UnitSystem& units, PropertyForm::Unit unit)
{
    switch (unit) {
    case PropertyForm::DiameterUnit:
        return &units.Diam();
    case PropertyForm::LengthUnit:
        return &units.Leng();
    case PropertyForm::FlowUnit:
        return &units.FlowUnit();
    case PropertyForm::HeadUnit:
        return &units.Hydr();
    case PropertyForm::VelocityUnit:
        return &units.Velo();
    case PropertyForm::GradientUnit:
        return &units.Slope();
    case PropertyForm::NoUnit:
        break;
    }
    return nullptr;
}

QString Utf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
}   // namespace

PropertyForm::PropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : m_mode(mode), m_objects(std::move(objects)), m_units(units)
{
}

PropertyForm::~PropertyForm() = default;

PropertyForm::Number& PropertyForm::AddNumber(std::string key, Unit unit, std::function<double(const ZNetObject&)> get,
                                              std::function<void(ZNetObject&, double)> set)
{
    Number f;
    f.key = std::move(key);
    f.unit = unit;
    f.get = std::move(get);
    f.set = std::move(set);
    m_numbers.push_back(std::move(f));
    return m_numbers.back();
}

PropertyForm::Choice& PropertyForm::AddChoice(std::string key, std::function<int(const ZNetObject&)> get,
                                              std::function<void(ZNetObject&, int)> set)
{
    m_choices.push_back(Choice{std::move(key), std::move(get), std::move(set)});
    return m_choices.back();
}

PropertyForm::Flag& PropertyForm::AddFlag(std::string key, uint32_t bit)
{
    Flag f;
    f.key = std::move(key);
    f.get = [bit](const ZNetObject& o) { return o.HasFlag(bit); };
    f.set = [bit](ZNetObject& o, bool on) { on ? o.SetFlag(bit) : o.ClearFlag(bit); };
    m_flags.push_back(std::move(f));
    return m_flags.back();
}

PropertyForm::Shown& PropertyForm::AddShown(std::string key, std::function<QString(const ZNetObject&)> get)
{
    m_shown.push_back(Shown{std::move(key), std::move(get), QString()});
    return m_shown.back();
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

QString PropertyForm::Format(Unit unit, double v) const
{
    if (const UnitCategory* c = Category(m_units, unit))
        return Utf8(c->FormatFixed(v));
    return Utf8(PropertyNumber::Plain(v));
}

double PropertyForm::ToBase(Unit unit, double shown) const
{
    const UnitCategory* c = Category(m_units, unit);
    return c ? c->FromDisplay(shown) : shown;
}

QString PropertyForm::RangeMessage(double low, double high, bool integer)
{
    return QStringLiteral("请输入一个介于%1和%2之间的%3。")
        .arg(Utf8(PropertyNumber::Plain(low)), Utf8(PropertyNumber::Plain(high)),
             integer ? QStringLiteral("整数") : QStringLiteral("数"));
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
    const QString taken = QStringLiteral("编号%1已经存在!").arg(id);
    if (id.isEmpty())
        return {"Id", taken};
    const GbkString gbk = GbkText::FromQString(id);
    // The identifier must survive the file's 19 bytes of GBK unchanged.
    if (!ZNetObject::IsValidId(gbk) || GbkText::ToQString(gbk) != id ||
        (m_mode != TemplateMode && m_objects.front()->IsNode() && id.size() > MaxNodeIdChars))
        return {"Id", QStringLiteral("编号%1太长或含有不能保存的字符!").arg(id)};
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
                return {f.key, f.integer ? QStringLiteral("请输入一个整数。") : QStringLiteral("请输入一个数。")};
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
    return {};
}

QString PropertyForm::CheckRange(const Number&, bool, double) const
{
    return {};
}

void PropertyForm::WithholdResults(const std::function<bool(const ZNetObject&)>& stale)
{
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
        if (!c.enabled || c.index < 0 || c.get(obj) == c.index)
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
