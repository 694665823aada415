// A sound pack's config.json in the community format, read and checked: the
// classic layout ("key_define_type", "defines" by key code, one file or a
// file per key) and the newer one ("config_version" "2", "definitions" by
// key name, press and release timings in one file).
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace clavitone {

// A slice of the pack's one audio file, in milliseconds.
struct PackSlice {
    double startMs = 0;
    double durationMs = 0;
    bool operator==(const PackSlice&) const = default;
};

// One sound of a key: a slice of a file, or the whole file.
struct PackSound {
    std::string file;
    std::optional<PackSlice> slice;
    bool operator==(const PackSound&) const = default;
};

// A key's sounds: each press plays one of press, each release one of release.
struct PackKey {
    std::vector<PackSound> press;
    std::vector<PackSound> release;
    bool operator==(const PackKey&) const = default;
};

// What the pack defines that has no place here, counted for the user.
struct PackLeftOut {
    int keysWithoutButton = 0;  // the numeric keypad and other keys this keyboard lacks
    int mouseButtons = 0;
    int keysWithoutFile = 0;
    bool operator==(const PackLeftOut&) const = default;
};

struct PackConfig {
    std::string name;  // UTF-8, as the pack spells it
    std::string id;
    // By pack key code (see pack_codes.h), only keys this keyboard has.
    std::map<int, PackKey> keys;
    // Pack key codes defined as null: silent.
    std::set<int> silent;
    // The sounds of every key the pack leaves out, when it gives them.
    PackKey fallback;
    PackLeftOut leftOut;
};

inline constexpr std::size_t MaxConfigBytes = 1024 * 1024;
// "{0-4}" in a file name stands for five files; more than this for one key is no pack's.
inline constexpr int MaxVariations = 32;

// The pack's keys, or why it cannot be imported, in words for the user.
Result<PackConfig> ReadPackConfig(std::string_view json);

// A file name with one "{a-b}" range, as the names it stands for; the name
// itself when it has none; nullopt for a range that is backwards or too long.
std::optional<std::vector<std::string>> ExpandFileRange(std::string_view name);

}  // namespace clavitone
