#include "model/ZDocument.h"
#include "model/ZNamedViewsEdit.h"

#include <gtest/gtest.h>

TEST(ZNamedViewsEdit, NewListIsOneUndoableStep)
{
    ZDocument doc;
    doc.GetNamedViews().push_back({GbkView("a"), {0, 0, 1, 1}});
    std::vector<ZNamedView> edited = doc.GetNamedViews();
    edited.push_back({GbkView("b"), {0, 0, 2, 2}});
    edited.erase(edited.begin());
    doc.Perform(std::make_unique<ZNamedViewsEdit>(edited));
    ASSERT_EQ(doc.GetNamedViews().size(), 1u);
    EXPECT_EQ(doc.GetNamedViews()[0].ViewName.Bytes(), "b");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Undo());
    ASSERT_EQ(doc.GetNamedViews().size(), 1u);
    EXPECT_EQ(doc.GetNamedViews()[0].ViewName.Bytes(), "a");
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.GetNamedViews()[0].ViewName.Bytes(), "b");
}
