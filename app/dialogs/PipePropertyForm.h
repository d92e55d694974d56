#pragma once
#include "PropertyForm.h"

#include <unordered_set>

class ZPipeLink;

// The fields of the pipe dialog, its coefficient range by formula type, the three states of the
// length field: untouched, typed (manual) or taken from the drawing (automatic), and the inner
// diameter the calculation uses, which follows a new standard diameter where the two were equal.
class PipePropertyForm : public PropertyForm {
public:
    enum LengthMode { LengthUntouched, LengthManual, LengthAutomatic };

    PipePropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units);

    LengthMode GetLengthMode() const { return m_lengthMode; }
    // Typing in the length field.
    void SetLengthManual(const QString& text);
    // The button "自动计算管长": the drawn length of the one pipe edited, else an empty field.
    void SetLengthAutomatic();
    // Every loaded pipe follows its drawing.
    bool AllAutoLength() const { return m_allAuto; }
    // Every loaded pipe's inner diameter equals its standard one: the inner field follows the
    // standard field as it is typed.
    bool InnerFollowsAll() const { return !Objects().empty() && m_innerSame.size() == Objects().size(); }

    // The coefficient range of a formula type.
    static void CoefRange(int pipeType, double& low, double& high);

protected:
    QString CheckRange(const Number& field, bool typed, double value) const override;
    void LoadExtra() override;
    bool ApplyExtra(ZNetObject& obj, const Sink& sink, const std::function<void()>& touch) override;

private:
    bool ApplyLength(ZPipeLink& pipe, const std::function<void()>& touch);

    LengthMode m_lengthMode = LengthUntouched;
    bool m_allAuto = false;
    std::unordered_set<const ZNetObject*> m_innerSame;   // inner diameter equal to the standard one
};
