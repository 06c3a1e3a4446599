#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "app/MapName.h"
#include "app/Seed.h"
#include "core/Crc32.h"
#include "core/RunError.h"
#include "core/Windows1252.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace orvane {
namespace {

// The system's own converters, the independent truth for the code page: the character of a
// byte, the byte of a character (none where the code page has none), a character as UTF-8.
#ifdef _WIN32
// Windows passes the five unassigned bytes through as the C1 controls of the same number.
bool PassedThrough(std::uint32_t c, unsigned char b) {
    return b >= 0x80 && b <= 0x9F && c == b;
}

std::optional<char32_t> SystemCharOf(unsigned char b) {
    const char in = static_cast<char>(b);
    wchar_t w = 0;
    if (MultiByteToWideChar(1252, MB_ERR_INVALID_CHARS, &in, 1, &w, 1) != 1) return {};
    if (PassedThrough(w, b)) return {};
    return static_cast<char32_t>(w);
}

std::optional<unsigned char> SystemByteOf(char32_t c) {
    const auto w = static_cast<wchar_t>(c);
    char out = 0;
    BOOL usedDefault = FALSE;
    if (WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, &w, 1, &out, 1, nullptr, &usedDefault) !=
            1 ||
        usedDefault)
        return {};
    const auto b = static_cast<unsigned char>(out);
    if (PassedThrough(c, b)) return {};
    return b;
}

std::string SystemUtf8(char32_t c) {
    const auto w = static_cast<wchar_t>(c);
    char out[4];
    const int n = WideCharToMultiByte(CP_UTF8, 0, &w, 1, out, 4, nullptr, nullptr);
    return std::string(out, static_cast<std::size_t>(n));
}
#else
std::optional<std::string> Convert(const char* from, const char* to, const void* in,
                                   std::size_t size) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no iconv converter");
    char out[8];
    char* inPtr = static_cast<char*>(const_cast<void*>(in));
    char* outPtr = out;
    std::size_t inLeft = size, outLeft = sizeof out;
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok || inLeft != 0) return {};
    return std::string(out, outPtr);
}

std::optional<char32_t> SystemCharOf(unsigned char b) {
    const auto s = Convert("CP1252", "UTF-32LE", &b, 1);
    if (!s || s->size() != 4) return {};
    char32_t c = 0;
    for (int i = 3; i >= 0; --i) c = (c << 8) | static_cast<unsigned char>((*s)[i]);
    return c;
}

std::optional<unsigned char> SystemByteOf(char32_t c) {
    const unsigned char le[4] = {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8),
                                 static_cast<unsigned char>(c >> 16), 0};
    const auto s = Convert("UTF-32LE", "CP1252", le, 4);
    if (!s || s->size() != 1) return {};
    return static_cast<unsigned char>((*s)[0]);
}

std::string SystemUtf8(char32_t c) {
    const unsigned char le[4] = {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8),
                                 static_cast<unsigned char>(c >> 16), 0};
    return Convert("UTF-32LE", "UTF-8", le, 4).value();
}
#endif

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
    EXPECT_EQ(CleanSeed("x\xC2\x80y"), "xy");                      // the first C1 control, U+0080
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
    EXPECT_EQ(ToWindows1252("\xF3\xA0\x80\x80x"), "?x");  // U+E0000, another lead
    EXPECT_EQ(ToWindows1252("\xC3"), "?");                // cut short
    EXPECT_EQ(ToWindows1252("\x80z"), "?z");              // stray continuation byte
    EXPECT_EQ(SeedNumber("caf\xC3\xA9"), static_cast<std::uint32_t>(Crc32("caf\xE9")));
}

// A wrong character in the code page draws another letter in the label and gives a seed typed
// with it another map; checked byte by byte and character by character against the system.
TEST(Seed, Windows1252AgreesWithTheSystemConverter) {
    for (unsigned b = 0; b < 256; ++b) {
        const auto c = SystemCharOf(static_cast<unsigned char>(b));
        EXPECT_EQ(static_cast<std::uint32_t>(cp1252::ToUnicode(static_cast<unsigned char>(b))),
                  static_cast<std::uint32_t>(c.value_or(0xFFFD)))
            << "byte " << b;
    }
    int mapped = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;  // surrogates are no characters
        const auto b = SystemByteOf(c);
        mapped += b.has_value();
        ASSERT_EQ(ToWindows1252(SystemUtf8(c)), std::string(1, b ? static_cast<char>(*b) : '?'))
            << "U+" << std::hex << static_cast<std::uint32_t>(c);
    }
    EXPECT_EQ(mapped, 251);  // every byte but the five unassigned ones
}

}  // namespace
}  // namespace orvane
