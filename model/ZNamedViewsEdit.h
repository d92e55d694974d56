#pragma once
#include "ZEdit.h"
#include "ZNamedView.h"

#include <vector>

// A new list of named views for a document (added, updated or deleted views), undoably.
class ZNamedViewsEdit : public ZEdit {
public:
    explicit ZNamedViewsEdit(std::vector<ZNamedView> views);

    size_t MemoryUsage() const override;
    ZNetMsg Hint(bool applied) const override;

protected:
    void DoApply(ZDocument& doc) override;
    void DoRevert(ZDocument& doc) override;

private:
    std::vector<ZNamedView> m_other;   // the list not in the document
};
