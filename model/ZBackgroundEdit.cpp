#include "ZBackgroundEdit.h"

#include "ZDocument.h"
#include "ZNetBkDib.h"

ZBackgroundEdit::ZBackgroundEdit(std::string text, bool toggle, std::unique_ptr<ZNetBkDib> dib)
    : ZEdit(std::move(text)), m_toggle(toggle), m_other(std::move(dib))
{
}

ZBackgroundEdit::~ZBackgroundEdit() = default;

std::unique_ptr<ZBackgroundEdit> ZBackgroundEdit::Replace(std::string text, std::unique_ptr<ZNetBkDib> dib)
{
    return std::unique_ptr<ZBackgroundEdit>(new ZBackgroundEdit(std::move(text), false, std::move(dib)));
}

std::unique_ptr<ZBackgroundEdit> ZBackgroundEdit::ToggleVisible(std::string text)
{
    return std::unique_ptr<ZBackgroundEdit>(new ZBackgroundEdit(std::move(text), true, nullptr));
}

size_t ZBackgroundEdit::MemoryUsage() const
{
    return sizeof(*this) + (m_other ? m_other->Bytes().size() : 0);
}

ZNetMsg ZBackgroundEdit::Hint(bool) const
{
    ZNetMsg msg;
    msg.Code = ZNetMsg::BackgroundChanged;
    return msg;
}

void ZBackgroundEdit::Swap(ZDocument& doc)
{
    if (m_toggle) {
        if (ZNetBkDib* dib = doc.GetBkDib())
            dib->BkVisible = !dib->BkVisible;
        return;
    }
    m_other = doc.SwapBkDib(std::move(m_other));
}

void ZBackgroundEdit::DoApply(ZDocument& doc)
{
    Swap(doc);
}

void ZBackgroundEdit::DoRevert(ZDocument& doc)
{
    Swap(doc);
}
