#include "schemes/pack_config.h"

#include <charconv>

#include "nlohmann/json.hpp"
#include "schemes/pack_codes.h"

namespace clavitone {

namespace {

using Json = nlohmann::json;

// Ten minutes: no key sound is longer, and larger numbers only come from broken packs.
constexpr double MaxSliceMs = 10 * 60 * 1000;
constexpr std::string_view ReleaseSuffix = "-up";
constexpr std::string_view NewerLayoutVersion = "2";

const Json* Member(const Json& object, std::string_view key)
{
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

std::optional<std::string> TextMember(const Json& object, std::string_view key)
{
    const Json* member = Member(object, key);
    if (!member || !member->is_string())
        return std::nullopt;
    return member->get<std::string>();
}

std::optional<int> Number(std::string_view text)
{
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

// Comparisons written so that a NaN fails them too.
std::optional<PackSlice> CheckedSlice(double startMs, double durationMs)
{
    if (!(startMs >= 0 && startMs <= MaxSliceMs && durationMs > 0 && durationMs <= MaxSliceMs))
        return std::nullopt;
    return PackSlice{startMs, durationMs};
}

bool IsNumberPair(const Json& value)
{
    return value.is_array() && value.size() == 2 && value[0].is_number() && value[1].is_number();
}

// The classic layout's [start, length].
std::optional<PackSlice> StartAndLength(const Json& value)
{
    if (!IsNumberPair(value))
        return std::nullopt;
    return CheckedSlice(value[0].get<double>(), value[1].get<double>());
}

// The newer layout's [start, end].
std::optional<PackSlice> StartAndEnd(const Json& value)
{
    if (!IsNumberPair(value))
        return std::nullopt;
    return CheckedSlice(value[0].get<double>(), value[1].get<double>() - value[0].get<double>());
}

Failure NotUnderstood(const std::string& why = {})
{
    std::string message = "This folder's config.json is not a sound pack Clavitone understands.";
    if (!why.empty())
        message.append(" ").append(why);
    return {message};
}

std::string KeyNumber(int code)
{
    return "key number " + std::to_string(code);
}

Failure TooManyFiles(std::string_view name)
{
    return {"The pack's file name \"" + std::string(name) + "\" stands for more than " +
            std::to_string(MaxVariations) + " sound files, more than Clavitone takes for one key."};
}

// One entry of "defines": "30" or "30-up", its code and whether it is a release.
struct DefinedKey {
    int code;
    bool release;
};

std::optional<DefinedKey> ParseDefinedKey(std::string_view key)
{
    const bool release = key.ends_with(ReleaseSuffix);
    if (release)
        key.remove_suffix(ReleaseSuffix.size());
    const auto code = Number(key);
    if (!code)
        return std::nullopt;
    return DefinedKey{*code, release};
}

// Collects keys, counting what has no place here once per key.
class ConfigBuilder {
public:
    // False, counted, for a key we leave out: mouse buttons (negative codes)
    // and keys this keyboard has no button for.
    bool Known(int code)
    {
        if (code >= 0 && FindPackKeyCode(code))
            return true;
        if (counted_.insert(code).second)
            ++(code < 0 ? config.leftOut.mouseButtons : config.leftOut.keysWithoutButton);
        return false;
    }

    bool KnownName(std::string_view name)
    {
        const auto code = PackCodeOfKeyName(name);
        if (code)
            return Known(*code);
        if (unknownNames_.insert(std::string(name)).second)
            ++config.leftOut.keysWithoutButton;
        return false;
    }

    std::vector<PackSound>& Sounds(int code, bool release)
    {
        PackKey& key = config.keys[code];
        return release ? key.release : key.press;
    }

    void NoFile(int code)
    {
        if (noFile_.insert(code).second)
            ++config.leftOut.keysWithoutFile;
    }

    PackConfig config;

private:
    std::set<int> counted_;
    std::set<int> noFile_;
    std::set<std::string> unknownNames_;
};

// A file name of a multi-file pack, as the whole files it stands for.
Result<std::vector<PackSound>> WholeFiles(const std::string& name)
{
    const auto names = ExpandFileRange(name);
    if (!names)
        return TooManyFiles(name);
    std::vector<PackSound> sounds;
    for (const std::string& each : *names)
        sounds.push_back({each, std::nullopt});
    return sounds;
}

Result<void> ReadClassicDefine(ConfigBuilder& builder, bool singleFile, const std::string& sound,
                                           const std::string& key, const Json& value)
{
    const auto defined = ParseDefinedKey(key);
    if (!defined)
        return NotUnderstood("It names a key \"" + key + "\", which is no key number.");
    // A key we have no button for need not even make sense.
    if (!builder.Known(defined->code))
        return {};
    if (value.is_null()) {
        if (!defined->release)
            builder.config.silent.insert(defined->code);
        return {};
    }
    if (singleFile) {
        const auto slice = StartAndLength(value);
        if (!slice)
            return NotUnderstood("The timing of " + KeyNumber(defined->code) +
                                 " is not a sensible stretch of the pack's sound file.");
        builder.Sounds(defined->code, defined->release).push_back({sound, slice});
        return {};
    }
    if (!value.is_string())
        return NotUnderstood("It does not name a sound file for " + KeyNumber(defined->code) + ".");
    if (value.get<std::string>().empty()) {
        builder.NoFile(defined->code);
        return {};
    }
    auto files = WholeFiles(value.get<std::string>());
    if (!files)
        return Failure{files.Why()};
    auto& whole = *files;
    auto& sounds = builder.Sounds(defined->code, defined->release);
    sounds.insert(sounds.end(), whole.begin(), whole.end());
    return {};
}

// A multi-file pack's "sound" and "soundup" are every key's, unless the key has its own.
Result<void> ReadFallback(const Json& root, std::string_view member, std::vector<PackSound>& sounds)
{
    const auto name = TextMember(root, member);
    if (!name || name->empty())
        return {};
    auto files = WholeFiles(*name);
    if (!files)
        return Failure{files.Why()};
    sounds = std::move(*files);
    return {};
}

Result<void> ReadClassic(const Json& root, ConfigBuilder& builder)
{
    const auto type = TextMember(root, "key_define_type");
    if (!type || (*type != "single" && *type != "multi"))
        return NotUnderstood();
    const bool singleFile = *type == "single";
    const Json* defines = Member(root, "defines");
    if (!defines || !defines->is_object())
        return NotUnderstood("It lists no keys.");
    std::string sound;
    if (singleFile) {
        sound = TextMember(root, "sound").value_or(std::string());
        if (sound.empty())
            return NotUnderstood("It does not say which sound file holds its keys' sounds.");
    } else {
        for (const auto& [member, sounds] : {std::pair{"sound", &builder.config.fallback.press},
                                             std::pair{"soundup", &builder.config.fallback.release}})
            if (auto read = ReadFallback(root, member, *sounds); !read)
                return read;
    }
    for (const auto& [key, value] : defines->items())
        if (auto read = ReadClassicDefine(builder, singleFile, sound, key, value); !read)
            return read;
    return {};
}

Result<void> ReadNewerDefinition(ConfigBuilder& builder, const std::string& sound, const std::string& name,
                                             const Json& value)
{
    if (!builder.KnownName(name))
        return {};
    const int code = *PackCodeOfKeyName(name);
    if (value.is_null()) {
        builder.config.silent.insert(code);
        return {};
    }
    const Json* timing = value.is_object() ? Member(value, "timing") : nullptr;
    if (!timing || !timing->is_array() || timing->empty() || timing->size() > 2)
        return NotUnderstood("It gives the key " + name + " no timing Clavitone can use.");
    // The first timing is the press, the second the release.
    for (std::size_t motion = 0; motion < timing->size(); ++motion) {
        const auto slice = StartAndEnd((*timing)[motion]);
        if (!slice)
            return NotUnderstood("The timing of the key " + name + " is not a sensible stretch of the pack's sound file.");
        builder.Sounds(code, motion == 1).push_back({sound, slice});
    }
    return {};
}

bool IsNewerLayout(const Json& root)
{
    const Json* version = Member(root, "config_version");
    return version && ((version->is_string() && version->get<std::string>() == NewerLayoutVersion) ||
                       (version->is_number_integer() && version->get<int>() == 2));
}

Result<void> ReadNewer(const Json& root, ConfigBuilder& builder)
{
    const auto method = TextMember(root, "definition_method").value_or("single");
    if (method != "single")
        return NotUnderstood("Of this layout, Clavitone imports packs that keep every key's sound in one file.");
    const auto sound = TextMember(root, "audio_file").value_or(std::string());
    if (sound.empty())
        return NotUnderstood("It does not say which sound file holds its keys' sounds.");
    const Json* definitions = Member(root, "definitions");
    if (!definitions || !definitions->is_object())
        return NotUnderstood("It lists no keys.");
    for (const auto& [name, value] : definitions->items())
        if (auto read = ReadNewerDefinition(builder, sound, name, value); !read)
            return read;
    return {};
}

}  // namespace

std::optional<std::vector<std::string>> ExpandFileRange(std::string_view name)
{
    const std::size_t open = name.find('{');
    const std::size_t dash = name.find('-', open);
    const std::size_t close = name.find('}', open);
    if (open == std::string_view::npos || dash == std::string_view::npos || close == std::string_view::npos ||
        dash > close)
        return std::vector<std::string>{std::string(name)};
    const std::string_view firstText = name.substr(open + 1, dash - open - 1);
    const auto first = Number(firstText);
    const auto last = Number(name.substr(dash + 1, close - dash - 1));
    if (!first || !last || *first < 0)
        return std::vector<std::string>{std::string(name)};  // braces that are no range belong to the name
    if (*last < *first || *last - *first >= MaxVariations)
        return std::nullopt;
    // "{00-04}" keeps its digits' width.
    const std::size_t width = firstText.size() > 1 && firstText.front() == '0' ? firstText.size() : 0;
    std::vector<std::string> names;
    for (int n = *first; n <= *last; ++n) {
        std::string digits = std::to_string(n);
        if (digits.size() < width)
            digits.insert(0, width - digits.size(), '0');
        names.push_back(std::string(name.substr(0, open)) + digits + std::string(name.substr(close + 1)));
    }
    return names;
}

Result<PackConfig> ReadPackConfig(std::string_view json)
{
    if (json.size() > MaxConfigBytes)
        return Failure{"This folder's config.json is too large to be a sound pack's."};
    const Json root = Json::parse(json, nullptr, false);
    if (root.is_discarded() || !root.is_object())
        return NotUnderstood("It is damaged or holds something else.");

    ConfigBuilder builder;
    if (const auto read = IsNewerLayout(root) ? ReadNewer(root, builder) : ReadClassic(root, builder); !read)
        return Failure{read.Why()};
    PackConfig& config = builder.config;
    config.name = TextMember(root, "name").value_or(std::string());
    config.id = TextMember(root, "id").value_or(std::string());
    if (config.keys.empty() && config.silent.empty() && config.fallback.press.empty())
        return Failure{"The pack gives no sound for any key Clavitone has."};
    return std::move(config);
}

}  // namespace clavitone
