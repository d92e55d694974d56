#include "model/MemoryKeyValueStore.h"

#include <gtest/gtest.h>

// Only what differs from the last write reaches the profile: a value changed, of another kind, or new.
TEST(MemoryKeyValueStore, WriteChangesPassesOnWhatDiffers)
{
    MemoryKeyValueStore before;
    before.WriteInt("S", "same", 1);
    before.WriteInt("S", "changed", 1);
    before.WriteInt("S", "kind", 1);
    before.WriteBinary("S", "blob", {1, 2});
    MemoryKeyValueStore now;
    now.WriteInt("S", "same", 1);
    now.WriteInt("S", "changed", 2);
    now.WriteString("S", "kind", "1");
    now.WriteBinary("S", "blob", {1, 2});
    now.WriteBinary("T", "new", {3});
    MemoryKeyValueStore out;
    EXPECT_TRUE(now.WriteChanges(before, out));
    EXPECT_EQ(out.Size(), 3u);
    EXPECT_EQ(out.ReadInt("S", "changed"), 2);
    EXPECT_EQ(out.ReadString("S", "kind"), "1");
    EXPECT_EQ(out.ReadBinary("T", "new"), std::vector<uint8_t>{3});
    EXPECT_FALSE(out.Contains("S", "same"));
    MemoryKeyValueStore none;
    EXPECT_FALSE(now.WriteChanges(now, none));
    EXPECT_EQ(none.Size(), 0u);
}
