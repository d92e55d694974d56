#include "model/ZEditHistory.h"

#include <gtest/gtest.h>

namespace {
// An edit of a given size that counts how often it is destroyed.
struct SizedEdit : ZEdit {
    SizedEdit(std::string text, size_t bytes, int* destroyed)
        : ZEdit(std::move(text)), bytes(bytes), destroyed(destroyed)
    {
    }
    ~SizedEdit() override { ++*destroyed; }
    size_t MemoryUsage() const override { return bytes; }
    ZNetMsg Hint(bool) const override { return {}; }
    void DoApply(ZDocument&) override {}
    void DoRevert(ZDocument&) override {}
    size_t bytes;
    int* destroyed;
};
}   // namespace

TEST(EditHistory, StacksAndTexts)
{
    int destroyed = 0;
    ZEditHistory h;
    EXPECT_EQ(h.UndoText(), "");
    h.Push(std::make_unique<SizedEdit>("one", 10, &destroyed));
    h.Push(std::make_unique<SizedEdit>("two", 10, &destroyed));
    EXPECT_EQ(h.UndoText(), "two");
    ASSERT_NE(h.StepBack(), nullptr);
    EXPECT_EQ(h.UndoText(), "one");
    EXPECT_EQ(h.RedoText(), "two");
    // A new edit drops the redo stack.
    h.Push(std::make_unique<SizedEdit>("three", 10, &destroyed));
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(h.CanRedo());
    EXPECT_EQ(h.MemoryUsage(), 20u);
    h.Clear();
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(h.MemoryUsage(), 0u);
    EXPECT_EQ(h.StepBack(), nullptr);
    EXPECT_EQ(h.StepForward(), nullptr);
}

TEST(EditHistory, MemoryIsBoundedAndTheNewestKept)
{
    int destroyed = 0;
    ZEditHistory h;
    h.SetMemoryLimit(100);
    for (int i = 0; i < 50; ++i) {
        h.Push(std::make_unique<SizedEdit>(std::to_string(i), 30, &destroyed));
        EXPECT_LE(h.MemoryUsage(), 100u);
    }
    EXPECT_EQ(h.UndoCount(), 3);
    EXPECT_EQ(destroyed, 47);
    EXPECT_EQ(h.UndoText(), "49");
    // One edit larger than the limit stays: the last change can always be undone.
    h.Push(std::make_unique<SizedEdit>("huge", 1000, &destroyed));
    EXPECT_EQ(h.UndoCount(), 1);
    EXPECT_EQ(h.UndoText(), "huge");
}

TEST(EditHistory, CleanStateIsLostWhenTrimmedAway)
{
    int destroyed = 0;
    ZEditHistory h;
    h.SetMemoryLimit(50);
    EXPECT_TRUE(h.IsClean());
    h.Push(std::make_unique<SizedEdit>("a", 20, &destroyed));
    h.Push(std::make_unique<SizedEdit>("b", 20, &destroyed));
    h.StepBack();
    h.StepBack();
    EXPECT_TRUE(h.IsClean());
    h.StepForward();
    h.StepForward();
    EXPECT_FALSE(h.IsClean());
    h.Push(std::make_unique<SizedEdit>("c", 20, &destroyed));   // "a" goes, and with it the clean state
    EXPECT_EQ(h.UndoCount(), 2);
    h.StepBack();
    h.StepBack();
    EXPECT_FALSE(h.IsClean());
    h.MarkClean();
    EXPECT_TRUE(h.IsClean());
    // Lowering the limit drops the farthest redo first.
    h.SetMemoryLimit(20);
    EXPECT_EQ(h.RedoCount(), 1);
    EXPECT_EQ(h.RedoText(), "b");
}
