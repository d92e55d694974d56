#include "ZNamedViewsEdit.h"

#include "ZDocument.h"

ZNamedViewsEdit::ZNamedViewsEdit(std::vector<ZNamedView> views) : ZEdit("命名视图"), m_other(std::move(views)) {}

size_t ZNamedViewsEdit::MemoryUsage() const
{
    size_t n = sizeof(*this);
    for (const ZNamedView& v : m_other)
        n += sizeof(v) + v.ViewName.Bytes().capacity();
    return n;
}

ZNetMsg ZNamedViewsEdit::Hint(bool) const
{
    ZNetMsg msg;
    msg.Code = ZNetMsg::NamedViewsChanged;
    return msg;
}

void ZNamedViewsEdit::DoApply(ZDocument& doc)
{
    doc.GetNamedViews().swap(m_other);
}

void ZNamedViewsEdit::DoRevert(ZDocument& doc)
{
    doc.GetNamedViews().swap(m_other);
}
