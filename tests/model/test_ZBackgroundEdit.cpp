#include "model/ZBackgroundEdit.h"
#include "model/ZDocument.h"
#include "model/ZDocumentListener.h"
#include "model/ZNetBkDib.h"

#include <gtest/gtest.h>

namespace {
struct Hints : ZDocumentListener {
    std::vector<int> codes;
    void OnDocumentChanged(const ZNetMsg& msg) override { codes.push_back(msg.Code); }
};

std::unique_ptr<ZNetBkDib> Image(uint8_t fill)
{
    std::vector<uint8_t> bmp(64, fill);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[2] = 64;
    bmp[3] = bmp[4] = bmp[5] = 0;
    auto dib = std::make_unique<ZNetBkDib>();
    dib->SetBytes(bmp);
    return dib;
}
}   // namespace

TEST(ZBackgroundEdit, ReplaceAndClearUndoToTheSameImage)
{
    ZDocument doc;
    Hints hints;
    doc.AddListener(&hints);
    auto first = Image(1);
    ZNetBkDib* a = first.get();
    doc.Perform(ZBackgroundEdit::Replace("place", std::move(first)));
    EXPECT_EQ(doc.GetBkDib(), a);
    EXPECT_TRUE(doc.IsModified());
    auto second = Image(2);
    ZNetBkDib* b = second.get();
    doc.Perform(ZBackgroundEdit::Replace("replace", std::move(second)));
    EXPECT_EQ(doc.GetBkDib(), b);
    doc.Perform(ZBackgroundEdit::Replace("clear", nullptr));
    EXPECT_EQ(doc.GetBkDib(), nullptr);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetBkDib(), b);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetBkDib(), a);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetBkDib(), nullptr);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.GetBkDib(), a);
    EXPECT_EQ(hints.codes, std::vector<int>(7, ZNetMsg::BackgroundChanged));
    doc.RemoveListener(&hints);
}

TEST(ZBackgroundEdit, ShowAndHideToggleAndUndo)
{
    ZDocument doc;
    doc.SetBkDib(Image(3));
    doc.Perform(ZBackgroundEdit::ToggleVisible("hide"));
    EXPECT_FALSE(doc.GetBkDib()->BkVisible);
    // A hidden image leaves the extents.
    EXPECT_TRUE(doc.FullExtent().IsEmpty() || doc.FullExtent().Width() == 0.0);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.GetBkDib()->BkVisible);
    EXPECT_DOUBLE_EQ(doc.FullExtent().Width(), 1000.0);
}
