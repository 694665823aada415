#include "schemes/pack_import.h"

#include <map>
#include <set>

#include "schemes/pack_audio.h"
#include "schemes/pack_codes.h"
#include "schemes/pack_config.h"
#include "schemes/pack_files.h"
#include "schemes/pack_folder.h"
#include "schemes/pack_names.h"
#include "schemes/saveas_layout.h"
#include "schemes/scheme_list.h"
#include "schemes/scheme_names.h"
#include "settings/settings_layout.h"

namespace clavitone {

namespace {

constexpr std::string_view MessageTitle = "Clavitone";
constexpr std::string_view DialogTitle = "Import a sound pack";
constexpr std::string_view ConfigFilter = "Sound pack (config.json)";
constexpr std::string_view ConfigFileName = "config.json";
constexpr std::string_view ConfigExtension = "*.json";  // the dialog's binding keeps what follows the dot
constexpr std::string_view UnnamedPack = "Imported pack";
constexpr std::string_view KeySoundOff = "1";
constexpr std::string_view KeySoundOn = "0";
constexpr std::size_t FileBufferSize = 512;

// The second Shift, Ctrl and Alt buttons share the first ones' sound; values
// a deleted scheme of the same name left there must not show.
constexpr KeyRange RightModifierCodes{SecondShift, SecondAlt};

Failure Failed(const std::string& why)
{
    return {"The sound pack was not imported. " + why};
}

std::string FolderOf(const std::string& path)
{
    const std::size_t separator = path.rfind('\\');
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

struct OurKeyPieces {
    std::map<int, PackKeyPieces> keys;  // silent keys are left out
    std::set<int> own;                  // the keys whose sounds are their own
};

// Our keys and the pieces they play. A key the pack leaves out plays the
// pack's default sound, or else a letter's (see SoundSources).
OurKeyPieces KeyPieces(const PackSounds& sounds)
{
    const bool hasDefault = !sounds.fallback.press.empty();
    std::set<int> packCodes(sounds.silent);
    for (const auto& [packCode, pieces] : sounds.keys)
        if (!pieces.press.empty() || hasDefault)
            packCodes.insert(packCode);
    std::map<int, int> sounding;
    std::set<int> silent;
    for (const auto& [code, packCode] : OurKeys(packCodes)) {
        if (sounds.silent.contains(packCode))
            silent.insert(code);
        else
            sounding.emplace(code, packCode);
    }

    // A key's own sounds, with the pack's default for what it does not give.
    const auto own = [&sounds](const PackKeyPieces& pieces) {
        PackKeyPieces full = pieces;
        if (full.press.empty())
            full.press = sounds.fallback.press;
        if (full.release.empty())
            full.release = sounds.fallback.release;
        return full;
    };
    OurKeyPieces result;
    for (const auto& entry : sounding)
        result.own.insert(entry.first);
    if (!hasDefault) {
        for (const auto& [code, packCode] : SoundSources(sounding, silent))
            result.keys.emplace(code, own(sounds.keys.at(packCode)));
        return result;
    }
    for (const KeyRange range : SchemeKeyCodes) {
        for (int code = range.first; code <= range.last; ++code) {
            if (silent.contains(code))
                continue;
            const auto found = sounding.find(code);
            result.keys.emplace(code, found != sounding.end() ? own(sounds.keys.at(found->second)) : sounds.fallback);
        }
    }
    return result;
}

std::string Counted(int count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// One sentence on what the pack defines that has no place here; empty when nothing.
std::string LeftOutSentence(const PackLeftOut& leftOut)
{
    std::vector<std::string> parts;
    const int total = leftOut.keysWithoutButton + leftOut.mouseButtons + leftOut.keysWithoutFile;
    if (leftOut.keysWithoutButton > 0)
        parts.push_back(Counted(leftOut.keysWithoutButton, "key that has no button here (on the numeric keypad or the like)",
                                "keys that have no button here (on the numeric keypad and the like)"));
    if (leftOut.mouseButtons > 0)
        parts.push_back(Counted(leftOut.mouseButtons, "mouse button", "mouse buttons"));
    if (leftOut.keysWithoutFile > 0)
        parts.push_back(Counted(leftOut.keysWithoutFile, "key without a sound file", "keys without a sound file"));
    if (parts.empty())
        return {};
    std::string sentence = "The pack's ";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            sentence.append(i + 1 == parts.size() ? " and " : ", ");
        sentence.append(parts[i]);
    }
    return sentence.append(total == 1 ? " was left out." : " were left out.");
}

std::string Megabytes(std::uint64_t bytes)
{
    constexpr std::uint64_t Megabyte = 1024 * 1024;
    return std::to_string((bytes + Megabyte - 1) / Megabyte) + " MB";
}

}  // namespace

PackImport::PackImport(PackImportServices services, FormModel& pref) : services_(services), pref_(pref) {}

void PackImport::ImportPack()
{
    const auto config = ChooseConfig();
    if (!config)
        return;
    if (const auto imported = Import(*config); !imported) {
        services_.log.Write("Pack import failed: " + imported.Why());
        Tell(imported.Why(), MessageExclamation);
    }
}

Result<void> PackImport::Import(const std::string& configPath)
{
    std::vector<std::uint8_t> bytes;
    switch (services_.files.ReadFile(configPath, MaxConfigBytes, bytes)) {
    case FileReadResult::Ok:
        break;
    case FileReadResult::TooLarge:
        return Failed("Its config.json is too large.");
    default:
        return Failed("Its config.json cannot be read.");
    }
    auto read = ReadPackConfig(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!read)
        return Failed(read.Why());
    const PackConfig& config = *read;

    auto loaded = LoadPackSounds(services_.files, services_.decoder, FolderOf(configPath), config);
    services_.decoder.Finish();
    if (!loaded)
        return Failed(loaded.Why());
    const PackSounds& sounds = *loaded;

    const OurKeyPieces keys = KeyPieces(sounds);
    if (keys.keys.empty())
        return Failed("It gives no sound for any key Clavitone has.");
    const PackFilePlan plan(sounds, keys.keys, keys.own);
    if (plan.Bytes() > MaxImportBytes)
        return Failed("Its sounds would take " + Megabytes(plan.Bytes()) + " as WAV files, more than the " +
                      Megabytes(MaxImportBytes) + " Clavitone writes for one pack. Nothing was written.");

    bool lossy = false;
    std::string name = PlainSchemeName(services_.codePage.Utf8ToAnsi(config.name, lossy));
    if (name.empty())
        name = UnnamedPack;
    const auto folder = WritePackFolder(services_.files, SafeFolderName(config.id, name), plan.Files());
    if (!folder)
        return Failed("Its sounds could not be written to the folder of imported packs.");

    // A name that would share values with another scheme is refused like a
    // taken one, and the user is told why the scheme is named otherwise.
    const auto colliding = CollidingScheme(name, SchemeListBox(pref_).items);
    const std::string packName = name;
    name = UniqueSchemeName(name);
    AddScheme(name, *folder, plan.Keys());
    std::string notes;
    if (lossy)
        notes = "Some characters of the pack's name cannot be shown and were left out. The new scheme is named \"" +
                name + "\".";
    if (colliding)
        notes.append(notes.empty() ? "" : " ")
            .append(CollisionMessage(packName, *colliding) + " The new scheme is named \"" + name + "\".");
    const std::string leftOut = LeftOutSentence(config.leftOut);
    if (!leftOut.empty())
        notes.append(notes.empty() ? "" : " ").append(leftOut);
    if (!notes.empty())
        Tell(notes, MessageInformation);
    return {};
}

std::optional<std::string> PackImport::ChooseConfig()
{
    std::string filter;
    for (const std::string_view part : {ConfigFilter, ConfigFileName})
        filter.append(part).push_back('\0');
    filter.push_back('\0');

    OpenFileRequest request;
    request.lStructSize = OpenFileRequestSize;
    request.hwndOwner = pref_.hWnd;
    request.lpstrFilter = std::move(filter);
    request.nFilterIndex = 1;
    request.lpstrFile = std::string(FileBufferSize, '\0');
    request.nMaxFile = FileBufferSize - 1;
    request.lpstrInitialDir = lastFolder_;
    request.lpstrTitle = DialogTitle;
    request.Flags = OpenFileFileMustExist | OpenFilePathMustExist | OpenFileHideReadOnly;
    request.lpstrDefExt = ConfigExtension;
    if (services_.dialog.GetOpenFileNameA(request) == 0)
        return std::nullopt;
    std::string path = request.lpstrFile.substr(0, request.lpstrFile.find('\0'));
    lastFolder_ = FolderOf(FolderOf(path));
    return path;
}

// The pack's name as long as the save dialog takes names, with " 2", " 3"
// and so on when the list has it already (letter case aside, as the save
// dialog compares) or it would share values with a listed scheme.
std::string PackImport::UniqueSchemeName(std::string name) const
{
    const auto& entries = SchemeListBox(pref_).items;
    const auto taken = [&entries](const std::string& candidate) {
        for (const std::string& entry : entries)
            if (SameSchemeName(entry, candidate) || SchemeNamesCollide(entry, candidate))
                return true;
        return false;
    };
    const auto limit = static_cast<std::size_t>(SchemeNameMaxLength);
    std::string candidate = name.substr(0, limit);
    for (int n = 2; taken(candidate); ++n) {
        std::string suffix(1, ' ');
        suffix.append(std::to_string(n));
        candidate = name.substr(0, limit - suffix.size());
        candidate.append(suffix);
    }
    return candidate;
}

// The same store layout as "Save as...": every key's values, then the list,
// with the new scheme selected, which loads it.
void PackImport::AddScheme(const std::string& name, const std::string& folder,
                           const std::map<int, KeyFileNames>& keys)
{
    SettingsStore& store = services_.store;
    const auto paths = [&folder](const std::vector<std::string>& names, std::size_t first) {
        std::vector<std::string> paths;
        for (std::size_t i = first; i < names.size(); ++i)
            paths.push_back(folder + "\\" + names[i]);
        return paths;
    };
    // A value is written where the key has it and removed where it does not,
    // so nothing a deleted scheme of this name left behind shows.
    const auto saveOrDelete = [&store](const std::string& key, const std::vector<std::string>& paths) {
        if (paths.empty())
            DeleteSettingsKey(store, key);
        else
            SaveSettingsText(store, key, JoinSoundList(paths));
    };
    for (const KeyRange range : SchemeKeyCodes) {
        for (int code = range.first; code <= range.last; ++code) {
            const auto key = keys.find(code);
            const bool sounds = key != keys.end() && !key->second.press.empty();
            SaveSettingsText(store, StateKey(name, code), sounds ? KeySoundOn : KeySoundOff);
            SaveSettingsText(store, PathKey(name, code), sounds ? folder + "\\" + key->second.press[0] : NoSoundPath);
            saveOrDelete(MoreSoundsKey(name, code), sounds ? paths(key->second.press, 1) : std::vector<std::string>{});
            const auto release = sounds ? paths(key->second.release, 0) : std::vector<std::string>{};
            saveOrDelete(ReleaseKey(name, code), {release.begin(), release.begin() + (release.empty() ? 0 : 1)});
            saveOrDelete(MoreReleaseSoundsKey(name, code),
                         {release.begin() + (release.empty() ? 0 : 1), release.end()});
        }
    }
    for (int code = RightModifierCodes.first; code <= RightModifierCodes.last; ++code)
        for (const SchemeKeyValue& value : SchemeKeyValues)
            DeleteSettingsKey(store, value.key(name, code));
    AppendScheme(store, pref_, name);
}

void PackImport::Tell(const std::string& text, unsigned icon)
{
    services_.messages.MessageBoxA(pref_.hWnd, ShownText(text), std::string(MessageTitle), MessageOkOnly | icon);
}

}  // namespace clavitone
