#include "core/settings_record.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_codec.h"

namespace tavlo {
namespace {

std::string blanks(std::size_t n)
{
    return std::string(n, ' ');
}

// The fake code page keeps the widths of code page 932: "ＭＳ Ｐゴシック" is
// 15 bytes, "標準" 4.
class SettingsRecordTest : public ::testing::Test {
protected:
    testing::FakeCodec codec;
    const std::string gothic = codec.encode("ＭＳ Ｐゴシック");
};

TEST_F(SettingsRecordTest, RecordCountRoundsHalfToEven)
{
    EXPECT_EQ(recordCount(0), 0u);
    EXPECT_EQ(recordCount(161), 0u);
    EXPECT_EQ(recordCount(162), 1u);
    EXPECT_EQ(recordCount(322), 1u);
    EXPECT_EQ(recordCount(483), 2u);  // 1.5 rounds to 2
    EXPECT_EQ(recordCount(805), 2u);  // 2.5 rounds to 2
}

TEST_F(SettingsRecordTest, FirstRunStoreEncodesAsBlanksAroundItsFiveFields)
{
    SettingsStore store;
    store.CVw = "on";
    store.MVw = "on";
    store.ClFntN = "ＭＳ Ｐゴシック";
    store.ClFntSt = "標準";
    store.BClor = "12632246";

    const std::string expected = blanks(224) + "on" + blanks(4) + "on" + blanks(4) + gothic + blanks(15)
        + codec.encode("標準") + blanks(16) + "12632246" + blanks(22) + blanks(6);
    EXPECT_EQ(encodeRecord(store, codec), expected);
}

TEST_F(SettingsRecordTest, DecodesAndTrimsAFullRecord)
{
    std::string bytes = blanks(kRecordSize);
    bytes.replace(0, 4, "1380");
    bytes.replace(6, 3, "-45");
    bytes.replace(236, gothic.size(), gothic);
    bytes.replace(316, 4, "2560");

    SettingsStore store;
    decodeRecord(bytes, codec, store);
    EXPECT_EQ(store.ClFntN, "ＭＳ Ｐゴシック" + blanks(15));
    trimPersistedFields(store);
    EXPECT_EQ(store.WTop, "1380");
    EXPECT_EQ(store.WLeft, "-45");
    EXPECT_EQ(store.ClFntN, "ＭＳ Ｐゴシック");
    EXPECT_EQ(store.RTUl, "2560");
    EXPECT_EQ(store.AllClor, "");
}

TEST_F(SettingsRecordTest, TrimmingKeepsLeadingBlanksAndOtherWhiteSpace)
{
    SettingsStore store;
    store.CVw = " on\t  ";
    trimPersistedFields(store);
    EXPECT_EQ(store.CVw, " on\t");
}

TEST_F(SettingsRecordTest, AFieldEndsAtItsFirstZeroByte)
{
    std::string bytes = blanks(kRecordSize);
    bytes.replace(224, 6, std::string("on\0ff ", 6));
    SettingsStore store;
    decodeRecord(bytes, codec, store);
    EXPECT_EQ(store.CVw, "on");
}

TEST_F(SettingsRecordTest, AShortRecordReadsMissingBytesAsBlanks)
{
    std::string bytes = blanks(162);
    bytes.replace(134, 5, "65280");  // RClor, whose last two bytes are missing
    SettingsStore store;
    decodeRecord(bytes, codec, store);
    trimPersistedFields(store);
    EXPECT_EQ(store.RClor, "65280");
    EXPECT_EQ(store.DClor, "");
    EXPECT_EQ(store.DSClor, "");
    EXPECT_EQ(store.RTUl, "");
}

TEST_F(SettingsRecordTest, DoubleByteTextIsCutAtTheFieldEndWithoutSplittingACharacter)
{
    SettingsStore store;
    // 16 double-byte characters are 32 bytes: 15 fit into the 30-byte field.
    store.ClFntN = "ああああああああああああああああ";
    store.ClFntSt = "x";
    const std::string record = encodeRecord(store, codec);
    ASSERT_EQ(record.size(), kRecordSize);

    SettingsStore read;
    decodeRecord(record, codec, read);
    trimPersistedFields(read);
    EXPECT_EQ(read.ClFntN, "あああああああああああああああ");
    EXPECT_EQ(read.ClFntSt, "x");  // the next field is untouched
}

TEST_F(SettingsRecordTest, AnOddByteLeftByACutBecomesABlank)
{
    SettingsStore store;
    store.CVw = "abcあい";  // 3 + 2 + 2 bytes into a field of 6
    const std::string record = encodeRecord(store, codec);
    EXPECT_EQ(record.substr(224, 6), "abc" + codec.encode("あ") + " ");
    EXPECT_EQ(record.substr(230, 6), blanks(6));
}

TEST_F(SettingsRecordTest, TextTheCodePageCannotHoldIsWrittenAsQuestionMarks)
{
    SettingsStore store;
    store.ClFntN = "Font😀";
    EXPECT_EQ(encodeRecord(store, codec).substr(236, 6), "Font? ");
}

}  // namespace
}  // namespace tavlo
