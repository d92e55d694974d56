#pragma once
#include "ZEdit.h"
#include "ZProjectTitle.h"

// A new title block for the document, undoably.
class ZProjectTitleEdit : public ZEdit {
public:
    explicit ZProjectTitleEdit(ZProjectTitle title, std::string text = "修改图签");

    size_t MemoryUsage() const override;
    ZNetMsg Hint(bool applied) const override;

protected:
    void DoApply(ZDocument& doc) override;
    void DoRevert(ZDocument& doc) override;

private:
    ZProjectTitle m_other;   // the title not in the document
};
