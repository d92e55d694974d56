#include "model/GbkCodec.h"
#include "model/MessageText.h"

#include <gtest/gtest.h>

TEST(MessageText, ControlAndInvalidBytesAreEscapedTextIsKept)
{
    EXPECT_EQ(MessageText::Escape("J1\tok"), "J1\tok");
    EXPECT_EQ(MessageText::Escape(GbkCodec::FromUtf8("节点编号")), "节点编号");
    EXPECT_EQ(MessageText::Escape(GbkView("a\x1b[31mb\r\n")), "a\\x1B[31mb\\x0D\\x0A");
    EXPECT_EQ(MessageText::Escape(GbkView(std::string_view("z\0y", 3))), "z\\x00y");
    // A lead byte without a valid trail byte, a lone 0xFF, a lead byte at the end.
    EXPECT_EQ(MessageText::Escape(GbkView(std::string_view("\x81\x20x\xff\xb3"))), "\\x81 x\\xFF\\xB3");
    EXPECT_EQ(MessageText::Escape("\x7f"), "\\x7F");
}

TEST(MessageText, QuoteCutsLongTextWithoutSplittingACharacter)
{
    EXPECT_EQ(MessageText::Quote("P1"), "\"P1\"");
    const GbkString wide = GbkCodec::FromUtf8("水");   // two bytes
    GbkString text{"x"};
    for (int i = 0; i < 100; ++i)
        text += wide;
    const std::string q = MessageText::Quote(text);
    EXPECT_EQ(q.substr(q.size() - 4), "...\"");
    EXPECT_EQ(q.find("\\x"), std::string::npos) << q;   // no half character escaped
}
