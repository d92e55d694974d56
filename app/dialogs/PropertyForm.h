#pragma once
#include <QCoreApplication>
#include "model/GbkView.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ZNetObject.h"

class UnitSystem;
class ZDeviceLink;
struct ZField;

// What a property dialog holds while it is open, apart from its widgets: the texts, choices and
// check states loaded from one or more objects of one kind, their checks in control order and
// the writing of what was changed back into every object. The fields are those of the kind's
// field table that have a place in the dialog, in its order; a kind's form adds only its own
// rules. Numeric fields are texts; an empty text leaves the objects' values as they are.
class PropertyForm {
    Q_DECLARE_TR_FUNCTIONS(PropertyForm)

public:
    enum Mode { EditMode = 0, NewNodeMode = 1, TemplateMode = 2 };
    enum CheckState { Unchecked = 0, Undetermined = 1, Checked = 2 };   // the values of Qt::CheckState

    struct Number {
        std::string key;
        int unit = -1;   // UnitSystem::Category, or none
        bool integer = false;
        bool custom = false;   // written by the form's own rule, not the common one
        std::function<double(const ZNetObject&)> get;
        std::function<void(ZNetObject&, double)> set;   // empty: a result, shown only
        double low = 0, high = 0;                       // a typed value's range in base units, when `ranged`
        bool ranged = false;
        QString text;
        QString loaded;
        bool enabled = true;
        // For which objects a field that can be typed holds a balancing result (a node's head).
        std::function<bool(const ZNetObject&)> resultOf;
        bool IsResult() const { return !set && !custom; }
        bool IsResultOf(const ZNetObject& o) const { return resultOf ? resultOf(o) : IsResult(); }
    };
    struct Choice {
        std::string key;
        std::function<int(const ZNetObject&)> get;
        std::function<void(ZNetObject&, int)> set;
        int index = -1;   // -1: the objects differ, leave each as it is
        bool enabled = true;
        bool result = false;   // a balancing result, shown only
    };
    struct Flag {
        std::string key;
        std::function<bool(const ZNetObject&)> get;
        std::function<void(ZNetObject&, bool)> set;
        CheckState state = Unchecked;
        bool enabled = true;
    };
    struct Shown {
        std::string key;
        std::function<QString(const ZNetObject&)> get;
        QString text;
    };
    // A refused field: its key ("Id", "PipeRougCeof", ...) and the message to show.
    struct Failure {
        std::string key;
        QString message;
        explicit operator bool() const { return !key.empty(); }
    };
    // Where the changes of an OK go: the document's edit (touch records an object before its
    // first change), or straight into a template or a node not yet in a network.
    struct Sink {
        std::function<void(ZNetObject&)> touch;
        std::function<void(ZNetObject&, GbkView id)> rename;
        std::function<void(ZDeviceLink&)> reverse;
    };

    static constexpr int MaxNodeIdChars = 15;

    PropertyForm(ZNetObject::Kind kind, Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units);
    virtual ~PropertyForm();
    PropertyForm(const PropertyForm&) = delete;
    PropertyForm& operator=(const PropertyForm&) = delete;

    ZNetObject::Kind Kind() const { return m_kind; }
    Mode GetMode() const { return m_mode; }
    bool IsMulti() const { return m_objects.size() > 1; }
    const std::vector<ZNetObject*>& Objects() const { return m_objects; }
    const UnitSystem& Units() const { return m_units; }

    // The identifier is edited and checked for one object in mode 0 and for a new node.
    bool IdEditable() const { return m_mode == NewNodeMode || (m_mode == EditMode && !IsMulti()); }
    QString IdText;
    // Whether another object of the same kind already has this identifier.
    std::function<bool(GbkView id)> IdTaken;

    Number* FindNumber(std::string_view key);
    const Number* FindNumber(std::string_view key) const { return const_cast<PropertyForm*>(this)->FindNumber(key); }
    Choice* FindChoice(std::string_view key);
    const Choice* FindChoice(std::string_view key) const { return const_cast<PropertyForm*>(this)->FindChoice(key); }
    Flag* FindFlag(std::string_view key);
    Shown* FindShown(std::string_view key);
    std::vector<Number>& Numbers() { return m_numbers; }
    std::vector<Choice>& Choices() { return m_choices; }
    std::vector<Flag>& Flags() { return m_flags; }
    std::vector<Shown>& ShownFields() { return m_shown; }

    // Fills every field from the objects: the common value, or empty / -1 / undetermined.
    void Load();
    // Empties the results of the objects `stale` names (the network changed since its balancing):
    // shown empty, and left as they are on OK unless a value is typed.
    void WithholdResults(const std::function<bool(const ZNetObject&)>& stale);
    // The first refused field, in control order; an empty failure when all pass.
    Failure Validate() const;
    // Writes the changed fields into every object; the number of objects that changed.
    int Apply(const Sink& sink);

    // A value in the display unit of `unit` (a UnitSystem::Category, or none: as stored).
    QString Format(int unit, double baseValue) const;
    double ToBase(int unit, double shown) const;
    static QString RangeMessage(double low, double high, bool integer);

protected:
    // A typed value's range check, the field's own range unless a kind's rule says otherwise; the
    // message when out of range. `typed` is false when the field is empty and `value` is the
    // single object's own value (both in the display unit).
    virtual QString CheckRange(const Number& field, bool typed, double value) const;
    virtual void LoadExtra() {}
    // The kind's own checks after the common ones (several fields together, a curve's points).
    virtual Failure CheckExtra() const { return {}; }
    // The kind's own rules for one object; `touch` records the object before its first change.
    virtual bool ApplyExtra(ZNetObject& obj, const Sink& sink, const std::function<void()>& touch);
    bool TextChanged(const Number& f) const;
    // Records an object before its first change, once.
    static void TouchOnce(const Sink& sink, ZNetObject& obj, bool& touched);

private:
    void AddField(const ZField& f);
    Failure CheckId() const;
    bool ApplyTo(ZNetObject& obj, const Sink& sink);

    ZNetObject::Kind m_kind;
    Mode m_mode;
    std::vector<ZNetObject*> m_objects;
    const UnitSystem& m_units;
    QString m_loadedId;
    std::vector<Number> m_numbers;
    std::vector<Choice> m_choices;
    std::vector<Flag> m_flags;
    std::vector<Shown> m_shown;
};
