#include "platform/linux/cp932_codec.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(Cp932Codec, EncodesTheGothicFaceNameIn15Bytes)
{
    Cp932Codec codec;
    const std::string bytes = codec.encode("ＭＳ Ｐゴシック");
    EXPECT_EQ(bytes, "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");
    EXPECT_EQ(codec.decode(bytes), "ＭＳ Ｐゴシック");
}

TEST(Cp932Codec, KeepsTheMicrosoftExtensions)
{
    Cp932Codec codec;
    for (const char* text : {"①", "髙", "太字 斜体", "ｶﾀｶﾅ", "月齢"})
        EXPECT_EQ(codec.decode(codec.encode(text)), text) << text;
}

TEST(Cp932Codec, UnmappableCharactersBecomeQuestionMarks)
{
    Cp932Codec codec;
    EXPECT_EQ(codec.encode("a😀b"), "a?b");
    EXPECT_EQ(codec.encode("x\xff"
                           "y"),
        "x?y");  // not UTF-8 at all
}

TEST(Cp932Codec, BytesThatDoNotDecodeBecomeReplacementCharacters)
{
    Cp932Codec codec;
    EXPECT_EQ(codec.decode("a\x82"), "a\xEF\xBF\xBD");  // lead byte at the end
    EXPECT_EQ(codec.decode("\xA0z"), "\xEF\xBF\xBDz");  // unassigned single byte
}

TEST(Cp932Codec, FitPrefixNeverSplitsADoubleByteCharacter)
{
    Cp932Codec codec;
    const std::string text = codec.encode("aあい");  // 1 + 2 + 2 bytes
    EXPECT_EQ(codec.fitPrefix(text, 5), 5u);
    EXPECT_EQ(codec.fitPrefix(text, 4), 3u);
    EXPECT_EQ(codec.fitPrefix(text, 2), 1u);
    EXPECT_EQ(codec.fitPrefix(text, 30), 5u);
    EXPECT_EQ(codec.fitPrefix(codec.encode("ｶﾀ"), 1), 1u);  // half-width katakana are single bytes
}

}  // namespace
}  // namespace tavlo
