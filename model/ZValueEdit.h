#pragma once
#include "ZEdit.h"

#include <utility>

// An edit that replaces one copyable value of a document (draw settings, named views, ...).
// Applying puts the new value in place, reverting the old one.
template <class T>
class ZValueEdit : public ZEdit {
public:
    ZValueEdit(std::string text, T& target, T value, ZNetMsg hint)
        : ZEdit(std::move(text)), m_target(target), m_other(std::move(value)), m_hint(hint)
    {
    }

    size_t MemoryUsage() const override { return sizeof(*this) + sizeof(T); }
    ZNetMsg Hint(bool) const override { return m_hint; }

protected:
    // The value not in effect waits in m_other; both directions swap.
    void DoApply(ZDocument&) override { std::swap(m_target, m_other); }
    void DoRevert(ZDocument&) override { std::swap(m_target, m_other); }

private:
    T& m_target;
    T m_other;
    ZNetMsg m_hint;
};
