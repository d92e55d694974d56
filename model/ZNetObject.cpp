#include "ZNetObject.h"

#include "ZFieldTable.h"

#include <cstring>

void ZNetObject::CopyFrom(const ZNetObject& other)
{
    m_flags = other.m_flags & ~qen::FLAG_TRANSIENT;
    ZFieldTable::Copy(other, *this, ZField::Copied);
}

void ZNetObject::CopyState(const ZNetObject& other)
{
    const uint32_t transient = m_flags & qen::FLAG_TRANSIENT;
    ZFieldTable::CopyAll(other, *this);
    CopyFrom(other);   // after: a device's own symbol index wins over its type's
    std::memcpy(m_id, other.m_id, sizeof m_id);
    m_idLength = other.m_idLength;
    m_flags = (other.m_flags & ~qen::FLAG_TRANSIENT) | transient;
}

ZNetObject* ZNetObject::Snapshot() const
{
    ZNetObject* copy = Clone();
    copy->CopyState(*this);
    copy->m_flags &= ~qen::FLAG_TRANSIENT;
    return copy;
}

bool ZNetObject::IsValidId(GbkView text)
{
    return text.size() <= static_cast<size_t>(MaxIdLength) && text.Bytes().find('\0') == std::string_view::npos;
}

bool ZNetObject::SetId(GbkView text)
{
    if (!IsValidId(text))
        return false;
    std::memset(m_id, 0, sizeof m_id);
    std::memcpy(m_id, text.data(), text.size());
    m_idLength = static_cast<uint8_t>(text.size());
    return true;
}

bool ZNetObject::HitTestRect(const ZNetView& view, const ViewExtent& area) const
{
    const ViewExtent r = GetDisplayRect(view);
    return r.left >= area.left && r.right <= area.right && r.bottom >= area.bottom && r.top <= area.top;
}

bool ZNetObject::HitTestPoint(const ZNetView& view, const ViewExtent& pick) const
{
    return GetDisplayRect(view).Intersects(pick);
}

bool ZNetObject::SnapPoint(const ZNetView&, const ViewExtent&, PipePoint&) const
{
    return false;
}
