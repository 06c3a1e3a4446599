// libFuzzer target for the text a user types or passes: seed cleaning and hashing, file names,
// the JSON writer and the settings file. Checks what players and scripts rely on: a cleaned seed
// holds no character a file name cannot hold and no control character, cleaning twice changes
// nothing, a map's name stays one file name ending in ".png", JSON output is always a valid UTF-8
// JSON string, and any settings file is read without a crash, giving an absolute folder or a reason
// to ignore it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/MapName.h"
#include "app/Seed.h"
#include "app/Settings.h"
#include "app/cli/Json.h"

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

// Decodes UTF-8 the long way (code point first, then the rules), to judge the writer's output.
bool ValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t len = b < 0x80       ? 1
                                : b >> 5 == 6  ? 2
                                : b >> 4 == 14 ? 3
                                : b >> 3 == 30 ? 4
                                               : 0;
        if (len == 0 || i + len > text.size()) return false;
        std::uint32_t cp = len == 1 ? b : b & (0x7F >> len);
        for (std::size_t k = 1; k < len; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        constexpr std::uint32_t kShortest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kShortest[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

bool Hex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// One JSON string literal, quotes included, as RFC 8259 defines it.
bool ValidJsonString(const std::string& s) {
    if (s.size() < 2 || s.front() != '"' || s.back() != '"' || !ValidUtf8(s)) return false;
    for (std::size_t i = 1; i + 1 < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 || c == '"') return false;
        if (c != '\\') continue;
        if (i + 2 >= s.size()) return false;
        const char e = s[++i];
        if (e == 'u') {
            if (i + 5 >= s.size() || !Hex(s[i + 1]) || !Hex(s[i + 2]) || !Hex(s[i + 3]) ||
                !Hex(s[i + 4]))
                return false;
            i += 4;
        } else if (std::string("\"\\/bfnrt").find(e) == std::string::npos) {
            return false;
        }
    }
    return true;
}

bool FileNameSafe(const std::string& name) {
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || std::string("*|\\\":<>?/").find(ch) != std::string::npos)
            return false;
    }
    return name.find("\xC2\x85") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::string cleaned = orvane::CleanSeed(text);
    Require(cleaned.size() <= text.size());
    Require(orvane::CleanSeed(cleaned) == cleaned);
    Require(FileNameSafe(cleaned));
    Require(orvane::ToWindows1252(cleaned).size() <= cleaned.size());
    orvane::SeedNumber(cleaned);  // under the sanitizers: no overrun on any byte sequence

    const std::int32_t area = size > 0 ? data[0] * 997 : 0;
    const std::string separator = size > 1 && (data[1] & 1) ? "," : ".";
    const std::string name =
        orvane::MapFileName(area, cleaned, false, size > 2 && (data[2] & 1), separator);
    Require(name.size() >= 10 && name.compare(name.size() - 4, 4, ".png") == 0);
    Require(FileNameSafe(name));
    Require(orvane::MapFileName(area, cleaned, true, false, separator).find('+') ==
            std::string::npos);

    Require(ValidJsonString(orvane::JsonString(text)));
    orvane::MapReport report;
    report.fileName = text;
    report.seed = cleaned;
    const std::string json = orvane::MapReportJson(report, true, separator);
    Require(ValidUtf8(json) && json.front() == '{' && json.back() == '}');

    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("orvane-fuzz-settings-" + std::to_string(::getpid()));
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    const orvane::LoadedSettings loaded = orvane::LoadSettings(file);
    // A file reported as damaged gives no folder; one with unknown keys keeps its folder.
    Require(loaded.problem.empty() || !loaded.settings.mapsFolder ||
            loaded.problem.find(" unknown key") != std::string::npos);
    if (loaded.settings.mapsFolder) Require(loaded.settings.mapsFolder->is_absolute());
    return 0;
}
