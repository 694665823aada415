// A sound pack's config.json in the community format, read and checked.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <variant>

namespace clavitone {

// A slice of the pack's one audio file, in milliseconds.
struct PackSlice {
    double startMs = 0;
    double durationMs = 0;
    bool operator==(const PackSlice&) const = default;
};

struct PackConfig {
    std::string name;  // UTF-8, as the pack spells it
    std::string id;
    // Single file: the file and a slice per pack key code.
    std::string sound;
    std::map<int, PackSlice> slices;
    // One file per key: a file name per pack key code.
    std::map<int, std::string> files;
    // Pack key codes defined as null: silent, in either kind of pack.
    std::set<int> silent;
    bool singleFile = false;
};

// What went wrong, in words for the user.
struct PackError {
    std::string message;
};

inline constexpr std::size_t MaxConfigBytes = 1024 * 1024;

std::variant<PackConfig, PackError> ReadPackConfig(std::string_view json);

}  // namespace clavitone
