#pragma once
#include "ZEdit.h"

#include <memory>

class ZNetBkDib;

// Placing, clearing, showing or hiding a document's background image, undoably. A replacement
// keeps the image it took out, so undo puts that one back without reading any file again.
class ZBackgroundEdit : public ZEdit {
public:
    // The document's image becomes `dib` (null clears it).
    static std::unique_ptr<ZBackgroundEdit> Replace(std::string text, std::unique_ptr<ZNetBkDib> dib);
    // The document's image is shown when hidden and hidden when shown.
    static std::unique_ptr<ZBackgroundEdit> ToggleVisible(std::string text);
    ~ZBackgroundEdit() override;

    size_t MemoryUsage() const override;
    ZNetMsg Hint(bool applied) const override;

protected:
    void DoApply(ZDocument& doc) override;
    void DoRevert(ZDocument& doc) override;

private:
    ZBackgroundEdit(std::string text, bool toggle, std::unique_ptr<ZNetBkDib> dib);
    void Swap(ZDocument& doc);

    bool m_toggle;
    std::unique_ptr<ZNetBkDib> m_other;   // the image not in the document, for a replacement
};
