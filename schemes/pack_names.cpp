#include "schemes/pack_names.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace clavitone {

namespace {

constexpr std::size_t MaxFolderName = 64;
constexpr std::string_view EmptyFolderName = "pack";

char Upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// CON, NUL, COM1 and the like name devices in every folder, also with an
// extension ("nul.wav").
bool IsDeviceName(std::string_view part)
{
    static constexpr std::array<std::string_view, 4> Plain{"CON", "PRN", "AUX", "NUL"};
    const std::string_view base = part.substr(0, part.find('.'));
    std::string upper(base);
    std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
    while (!upper.empty() && upper.back() == ' ')
        upper.pop_back();
    if (std::find(Plain.begin(), Plain.end(), upper) != Plain.end())
        return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '0' &&
           upper[3] <= '9';
}

bool IsSafeChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == ' ' || c == '-' || c == '_' || c == '.';
}

bool IsUnsafeForFiles(char c)
{
    return static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == '.' || text.front() == ' '))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == '.' || text.back() == ' '))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::string SafeFolderName(std::string_view id, std::string_view name)
{
    std::string safe;
    for (const char c : id.empty() ? name : id)
        safe.push_back(IsSafeChar(c) ? c : '_');
    safe = std::string(Trimmed(safe.substr(0, MaxFolderName)));
    if (safe.empty())
        return std::string(EmptyFolderName);
    if (IsDeviceName(safe))
        safe.insert(safe.begin(), '_');
    return safe;
}

bool IsSafeFolderName(std::string_view name)
{
    return !name.empty() && SafeFolderName(name, {}) == name;
}

std::string PlainSchemeName(std::string_view name)
{
    std::string plain;
    for (const char c : name)
        if (static_cast<unsigned char>(c) >= 32 && c != 127)
            plain.push_back(c);
    const std::size_t first = plain.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return plain.substr(first, plain.find_last_not_of(' ') - first + 1);
}

std::string ShownText(std::string_view text)
{
    // UTF-8 sequences of U+0080-U+009F, U+2028-U+202E and U+2066-U+2069.
    const auto controlLength = [](std::string_view rest) -> std::size_t {
        const auto byte = [&rest](std::size_t i) { return static_cast<unsigned char>(rest[i]); };
        if (rest.size() >= 2 && byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F)
            return 2;
        if (rest.size() >= 3 && byte(0) == 0xE2 && byte(1) == 0x80 && byte(2) >= 0xA8 && byte(2) <= 0xAE)
            return 3;
        if (rest.size() >= 3 && byte(0) == 0xE2 && byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9)
            return 3;
        return static_cast<unsigned char>(rest[0]) < 32 || rest[0] == 127 ? 1 : 0;
    };
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t skip = controlLength(text.substr(i))) {
            i += skip;
            continue;
        }
        shown.push_back(text[i++]);
    }
    return shown;
}

std::optional<std::string> PackFilePath(std::string_view packFolder, std::string_view fileName)
{
    std::string path(packFolder);
    std::size_t start = 0;
    while (start <= fileName.size()) {
        std::size_t end = fileName.find_first_of("/\\", start);
        if (end == std::string_view::npos)
            end = fileName.size();
        const std::string_view part = fileName.substr(start, end - start);
        // An empty part is a leading, doubled or trailing separator: an
        // absolute path, a network path or a folder.
        if (part.empty() || part == "." || part == ".." || Trimmed(part) != part || IsDeviceName(part) ||
            std::any_of(part.begin(), part.end(), IsUnsafeForFiles))
            return std::nullopt;
        path.append("\\").append(part);
        start = end + 1;
    }
    return path;
}

}  // namespace clavitone
