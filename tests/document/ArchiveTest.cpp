// The document files' string encoding at its length boundaries, and reads past the end.
#include <gtest/gtest.h>

#include "document/Archive.h"

TEST(Archive, StringLengthTakesOneThreeOrSevenBytes) {
    for (const std::size_t length : {0u, 254u, 255u, 0xFFFDu, 0xFFFEu, 0x12345u}) {
        CArchive out;
        out.WriteString(std::string(length, 'a'));
        const std::size_t prefix = length < 255 ? 1 : length < 0xFFFE ? 3 : 7;
        ASSERT_EQ(out.Bytes().size(), prefix + length) << length;
        CArchive in(out.Bytes());
        EXPECT_EQ(in.ReadString().size(), length);
        EXPECT_FALSE(in.Failed());
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(Archive, LengthBeyondTheDataFailsWithoutReadingIt) {
    const std::string bytes(
        "\xFF\xFF\xFF\xFF\xFF\xFF\x7F"
        "abc",
        10);  // claims 2 GiB
    CArchive in(bytes);
    EXPECT_EQ(in.ReadString(), "");
    EXPECT_TRUE(in.Failed());
    EXPECT_EQ(in.ReadInt(), 0);
}

TEST(Archive, IntegersAreLittleEndianTwosComplement) {
    CArchive out;
    out.WriteInt(-2);
    out.WriteInt(0x01020304);
    EXPECT_EQ(out.Bytes(), std::string("\xFE\xFF\xFF\xFF\x04\x03\x02\x01", 8));
    CArchive in(out.Bytes());
    EXPECT_EQ(in.ReadInt(), -2);
    EXPECT_EQ(in.ReadInt(), 0x01020304);
    EXPECT_EQ(in.ReadInt(), 0);
    EXPECT_TRUE(in.Failed());
}
