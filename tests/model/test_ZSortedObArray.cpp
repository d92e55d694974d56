#include "model/ZConsumeNode.h"
#include "model/ZSortedObArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

// The key sort must give exactly the order of Compare: prefixes first, bytes unsigned (GBK ids
// sort after ASCII ones), ids that share their first eight bytes or more decided by the rest.
TEST(SortedObArray, SortByIdGivesCompareOrder)
{
    std::vector<std::string> ids = {"1",
                                    "10",
                                    "100",
                                    "2",
                                    "A",
                                    "a",
                                    "AB",
                                    "A\x01",
                                    "ABCDEFGH",
                                    "ABCDEFGHI",
                                    "ABCDEFGH0",
                                    "ABCDEFG",
                                    "ABCDEFGHIJKLMNOPQRS",
                                    "ABCDEFGHIJKLMNOPQRR",
                                    "\xb9\xdc\xb5\xc0",
                                    "\xb9\xdc",
                                    "\x7f",
                                    "\x80",
                                    "\xff\xff\xff\xff\xff\xff\xff\xff",
                                    "\xff\xff\xff\xff\xff\xff\xff\xff\x01",
                                    "J-12",
                                    "J-1"};
    std::mt19937 rng(3);
    for (int k = 0; k < 400; ++k)
        ids.push_back("N" + std::to_string(rng() % 100000) + "-" + std::to_string(k));
    // Random bytes 1..255 from a small alphabet, so that long shared prefixes occur.
    const unsigned char alphabet[] = {0x01, 0x30, 0x41, 0x7f, 0x80, 0xb9, 0xdc, 0xff};
    for (int k = 0; k < 600; ++k) {
        std::string id;
        for (int n = 1 + static_cast<int>(rng() % 19); n > 0; --n)
            id += static_cast<char>(alphabet[rng() % 8]);
        ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    std::vector<std::unique_ptr<ZConsumeNode>> owned;
    std::vector<ZConsumeNode*> items;
    for (const std::string& id : ids) {
        owned.push_back(std::make_unique<ZConsumeNode>());
        ASSERT_TRUE(owned.back()->SetId(GbkView(id)));
        items.push_back(owned.back().get());
    }
    std::shuffle(items.begin(), items.end(), rng);
    std::vector<ZConsumeNode*> expected = items;
    std::sort(expected.begin(), expected.end(), [](const ZConsumeNode* a, const ZConsumeNode* b) {
        return ZSortedObArray<ZConsumeNode>::Compare(a->IdView(), b->IdView()) < 0;
    });
    ZSortedObArray<ZConsumeNode>::SortById(items);
    EXPECT_EQ(items, expected);
}
