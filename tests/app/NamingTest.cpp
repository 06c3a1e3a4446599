#include <gtest/gtest.h>

#include "app/MapName.h"
#include "app/Seed.h"
#include "core/RunError.h"
#include "levelfile/Crc32.h"

namespace orvane {
namespace {

TEST(MapName, AreaIsRoundedToThousandthsHalfToEven) {
    EXPECT_EQ(AreaThousandths(1096, 624), 684);  // 683.904
    EXPECT_EQ(AreaThousandths(7680, 4344), 33362);
    EXPECT_EQ(AreaThousandths(1000, 1), 1);
    EXPECT_EQ(AreaThousandths(500, 1), 0);   // 0.5 rounds to even 0
    EXPECT_EQ(AreaThousandths(1500, 1), 2);  // 1.5 rounds to even 2
    EXPECT_EQ(AreaThousandths(2500, 1), 2);
    EXPECT_THROW(AreaThousandths(65536, 32768), RunError);  // a 32-bit product overflows
}

TEST(MapName, FormatsTwoDigitsThreeDecimalsWithTheLocaleSeparator) {
    EXPECT_EQ(FormatArea(684, "."), "00.684");
    EXPECT_EQ(FormatArea(684, ","), "00-684");
    EXPECT_EQ(FormatArea(3412, "."), "03.412");
    EXPECT_EQ(FormatArea(33362, "."), "33.362");
    EXPECT_EQ(FormatArea(5, "."), "00.005");
    EXPECT_EQ(FormatArea(100000, "."), "100.000");
}

TEST(MapName, SeedOnlyForSingleSeededMapsAndPrefixInWalkForWeaponsMode) {
    EXPECT_EQ(MapFileName(684, "", false, false, "."), "00.684.png");
    EXPECT_EQ(MapFileName(3412, "ab", false, false, "."), "03.412+ab.png");
    EXPECT_EQ(MapFileName(3412, "ab", false, true, "."), "W_03.412+ab.png");
    EXPECT_EQ(MapFileName(3412, "ab", true, false, "."), "03.412.png");
    EXPECT_EQ(MapFileName(3412, "x,y", false, false, ","), "03-412+x,y.png");
}

TEST(Seed, CleaningRemovesTheNineFileNameCharactersOnly) {
    EXPECT_EQ(CleanSeed("a:b"), "ab");
    EXPECT_EQ(CleanSeed("???"), "");
    EXPECT_EQ(CleanSeed("*|\\\":<>?/"), "");
    EXPECT_EQ(CleanSeed("Hello World!.-_"), "Hello World!.-_");
    EXPECT_EQ(CleanSeed("../../etc/passwd"), "....etcpasswd");
    EXPECT_EQ(CleanSeed("caf\xC3\xA9:"), "caf\xC3\xA9");  // multi-byte characters survive
}

TEST(Seed, CleaningRemovesControlCharactersSoNoneReachesAFileName) {
    EXPECT_EQ(CleanSeed("a\nb\x1B[31m\x7F\t"), "ab[31m");
    EXPECT_EQ(CleanSeed("x\xC2\x85y\xC2\x9F"), "xy");              // C1 controls, U+0085 and U+009F
    EXPECT_EQ(CleanSeed("\xC2\xA0\xC2\xA9"), "\xC2\xA0\xC2\xA9");  // U+00A0, U+00A9 stay
    EXPECT_EQ(CleanSeed("\xC2\n\x85"), "");                        // no control joined by a removal
    EXPECT_EQ(CleanSeed("\r\n"), "");
}

TEST(Seed, HashesWindows1252BytesSoEveryMachineAgrees) {
    EXPECT_EQ(SeedNumber("abc"), 0x352441C2u);
    EXPECT_EQ(SeedNumber("a:b"), SeedNumber("a:b"));
    EXPECT_EQ(ToWindows1252("caf\xC3\xA9"), "caf\xE9");
    EXPECT_EQ(ToWindows1252("\xE2\x82\xAC"), "\x80");     // euro sign
    EXPECT_EQ(ToWindows1252("\xE4\xB8\xAD"), "?");        // outside the code page
    EXPECT_EQ(ToWindows1252("\xF0\x9F\x98\x80x"), "?x");  // four-byte character
    EXPECT_EQ(ToWindows1252("\xC3"), "?");                // cut short
    EXPECT_EQ(ToWindows1252("\x80z"), "?z");              // stray continuation byte
    EXPECT_EQ(SeedNumber("caf\xC3\xA9"), static_cast<std::uint32_t>(Crc32("caf\xE9")));
}

}  // namespace
}  // namespace orvane
