#include "ZProjectTitleEdit.h"

#include "ZDocument.h"

#include <utility>

ZProjectTitleEdit::ZProjectTitleEdit(ZProjectTitle title, std::string text)
    : ZEdit(std::move(text)), m_other(std::move(title))
{
}

size_t ZProjectTitleEdit::MemoryUsage() const
{
    return sizeof(*this) + m_other.Project.size() + m_other.Designer.size() + m_other.Date.size();
}

ZNetMsg ZProjectTitleEdit::Hint(bool) const
{
    ZNetMsg msg;
    msg.Code = ZNetMsg::ProjectTitleChanged;
    return msg;
}

void ZProjectTitleEdit::DoApply(ZDocument& doc)
{
    std::swap(doc.GetProjectTitle(), m_other);
}

void ZProjectTitleEdit::DoRevert(ZDocument& doc)
{
    std::swap(doc.GetProjectTitle(), m_other);
}
