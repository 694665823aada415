#include "schemes/pack_config.h"

#include <charconv>

#include "nlohmann/json.hpp"

namespace clavitone {

namespace {

using Json = nlohmann::json;

// Ten minutes: no key sound is longer, and larger numbers only come from broken packs.
constexpr double MaxSliceMs = 10 * 60 * 1000;

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

// Pack key codes are decimal strings of small numbers.
std::optional<int> KeyCode(const std::string& text)
{
    int code = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
    if (error != std::errc() || end != text.data() + text.size() || code < 0)
        return std::nullopt;
    return code;
}

std::optional<PackSlice> Slice(const Json& value)
{
    if (!value.is_array() || value.size() != 2 || !value[0].is_number() || !value[1].is_number())
        return std::nullopt;
    const PackSlice slice{value[0].get<double>(), value[1].get<double>()};
    // Comparisons written so that a NaN fails them too.
    if (!(slice.startMs >= 0 && slice.startMs <= MaxSliceMs && slice.durationMs > 0 && slice.durationMs <= MaxSliceMs))
        return std::nullopt;
    return slice;
}

PackError Broken(const std::string& why)
{
    return {"This is not a sound pack Clavitone can read: " + why};
}

}  // namespace

std::variant<PackConfig, PackError> ReadPackConfig(std::string_view json)
{
    if (json.size() > MaxConfigBytes)
        return Broken("config.json is too large.");
    const Json root = Json::parse(json, nullptr, false);
    if (root.is_discarded() || !root.is_object())
        return Broken("config.json is not a JSON object.");

    PackConfig config;
    const auto name = TextMember(root, "name");
    if (!name || name->empty())
        return Broken("config.json gives no \"name\".");
    config.name = *name;
    config.id = TextMember(root, "id").value_or(std::string());

    const auto type = TextMember(root, "key_define_type");
    if (!type || (*type != "single" && *type != "multi"))
        return Broken("\"key_define_type\" is neither \"single\" nor \"multi\"; other versions of the format "
                      "are not supported.");
    config.singleFile = *type == "single";

    const Json* defines = Member(root, "defines");
    if (!defines || !defines->is_object())
        return Broken("config.json has no \"defines\".");
    if (config.singleFile) {
        const auto sound = TextMember(root, "sound");
        if (!sound || sound->empty())
            return Broken("a single-file pack must name its \"sound\" file.");
        config.sound = *sound;
    }

    for (const auto& [key, value] : defines->items()) {
        const auto code = KeyCode(key);
        if (!code)
            return Broken("\"" + key + "\" is not a key code.");
        if (value.is_null()) {
            config.silent.insert(*code);
        } else if (config.singleFile) {
            const auto slice = Slice(value);
            if (!slice)
                return Broken("the sound of key " + key + " is not a [start, length] pair of sensible milliseconds.");
            config.slices.emplace(*code, *slice);
        } else if (value.is_string() && !value.get<std::string>().empty()) {
            config.files.emplace(*code, value.get<std::string>());
        } else {
            return Broken("the sound of key " + key + " is not a file name.");
        }
    }
    if (config.slices.empty() && config.files.empty() && config.silent.empty())
        return Broken("it defines no key.");
    return config;
}

}  // namespace clavitone
