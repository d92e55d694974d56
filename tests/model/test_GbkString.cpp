#include "model/GbkCodec.h"
#include "model/GbkString.h"
#include "model/MessageText.h"
#include "model/NumberOption.h"
#include "model/ZConsumeNode.h"
#include "model/ZNetwork.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_set>

// What the compiler refuses: UTF-8 (std::string, string_view, char pointers) where GBK is expected,
// and GBK where plain text is expected. Every way across is GbkCodec, GbkText or a constructor
// written out.
static_assert(!std::is_convertible_v<std::string, GbkView>);
static_assert(!std::is_convertible_v<std::string_view, GbkView>);
static_assert(!std::is_convertible_v<const char*, GbkView>);
static_assert(!std::is_convertible_v<std::string, GbkString>);
static_assert(!std::is_convertible_v<std::string_view, GbkString>);
static_assert(!std::is_convertible_v<GbkView, std::string_view>);
static_assert(!std::is_convertible_v<GbkView, std::string>);
static_assert(!std::is_convertible_v<GbkString, std::string>);
static_assert(!std::is_convertible_v<GbkString, std::string_view>);
static_assert(!std::is_convertible_v<GbkString, const char*>);
// Held GBK is GBK: a string becomes a look at it.
static_assert(std::is_convertible_v<GbkString, GbkView>);
static_assert(std::is_convertible_v<GbkView, GbkString>);
// An ASCII literal is the same in both encodings.
static_assert(std::is_convertible_v<const char (&)[3], GbkView>);

namespace {
template <class T>
concept SetsId = requires(ZConsumeNode& n, T t)
{
    n.SetId(t);
};
template <class T>
concept FindsNode = requires(const ZNetwork& net, T t)
{
    net.FindNode(t);
};
template <class T>
concept Decodes = requires(T t)
{
    GbkCodec::ToUtf8(t);
};
template <class T>
concept Quotes = requires(T t)
{
    MessageText::Quote(t);
};
template <class T>
concept Encodes = requires(T t)
{
    {
        GbkCodec::FromUtf8(t)
        } -> std::same_as<GbkString>;
};
}   // namespace

static_assert(SetsId<GbkView> && SetsId<GbkString> && !SetsId<std::string> && !SetsId<std::string_view> &&
              !SetsId<const char*>);
static_assert(FindsNode<GbkView> && !FindsNode<std::string> && !FindsNode<std::string_view>);
static_assert(Decodes<GbkView> && Decodes<GbkString> && !Decodes<std::string> && !Decodes<std::string_view>);
static_assert(Quotes<GbkString> && !Quotes<std::string>);
static_assert(Encodes<std::string> && !Encodes<GbkString>);

namespace {
const std::string kNode1Gbk = "\xBD\xDA\xB5\xE3"
                              "1";   // "节点1"
}

TEST(GbkString, CodecCrossesBetweenTheTypes)
{
    const GbkString gbk = GbkCodec::FromUtf8("节点1");
    EXPECT_EQ(gbk.Bytes(), kNode1Gbk);
    EXPECT_EQ(GbkCodec::ToUtf8(gbk), "节点1");
    EXPECT_EQ(GbkCodec::UpperAscii(GbkView("p1-a")), GbkView("P1-A"));
    EXPECT_EQ(MessageText::Quote(gbk), "\"节点1\"");
}

// Identifiers sort by unsigned bytes (ZSortedObArray): a GBK lead byte after every ASCII byte.
TEST(GbkString, OrdersByUnsignedBytesAndHashesAlikeAsView)
{
    const GbkString chinese{GbkView(kNode1Gbk)};
    EXPECT_LT(GbkView("Z"), chinese.View());
    EXPECT_LT(GbkString(GbkView("A")), chinese);
    EXPECT_EQ(chinese, GbkView(kNode1Gbk));
    EXPECT_NE(chinese, GbkView("1"));
    EXPECT_EQ(std::hash<GbkString>()(chinese), std::hash<GbkView>()(chinese.View()));
    std::unordered_set<GbkString> set{chinese, GbkString(GbkView("N1"))};
    EXPECT_EQ(set.count(GbkString(GbkView(kNode1Gbk))), 1u);
    EXPECT_EQ(set.count(GbkString(GbkView("N2"))), 0u);
}

TEST(GbkString, NetworkFindsAGbkIdentifier)
{
    ZNetwork net;
    auto* n = new ZConsumeNode;
    ASSERT_TRUE(n->SetId(GbkCodec::FromUtf8("节点1")));
    ASSERT_TRUE(net.AddNode(n));
    EXPECT_EQ(net.FindNode(GbkCodec::FromUtf8("节点1")), n);
    EXPECT_EQ(n->IdView().Bytes(), kNode1Gbk);
    // The UTF-8 bytes of the same name are another identifier.
    EXPECT_EQ(net.FindNode(GbkView(std::string_view("节点1"))), nullptr);
}

// A command line is UTF-8: a refused value is quoted as the user typed it, not read as GBK.
TEST(GbkString, CommandLineTextIsQuotedAsTyped)
{
    double v = 0.0;
    const std::string message = NumberOption::Parse("--interval", "五米", {0.0, 100.0}, v);
    EXPECT_NE(message.find("\"五米\""), std::string::npos) << message;
}
