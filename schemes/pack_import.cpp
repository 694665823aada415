#include "schemes/pack_import.h"

#include <map>
#include <set>

#include "schemes/pack_audio.h"
#include "schemes/pack_codes.h"
#include "schemes/pack_config.h"
#include "schemes/pack_folder.h"
#include "schemes/pack_names.h"
#include "schemes/saveas_layout.h"
#include "schemes/scheme_names.h"
#include "settings/settings_layout.h"
#include "sound/wav_writer.h"

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

std::string Failed(const std::string& why)
{
    return "The sound pack was not imported. " + why;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t separator = path.rfind('\\');
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string WavFileName(int code)
{
    return std::to_string(code) + ".wav";
}

// Our key -> the pack key code whose sound it plays; silent keys are left out.
std::map<int, int> KeySources(const PackSounds& sounds)
{
    std::set<int> packCodes(sounds.silent);
    for (const auto& entry : sounds.pieces)
        packCodes.insert(entry.first);
    std::map<int, int> sounding;
    std::set<int> silent;
    for (const auto& [code, packCode] : OurKeys(packCodes)) {
        if (sounds.silent.contains(packCode))
            silent.insert(code);
        else
            sounding.emplace(code, packCode);
    }
    return SoundSources(sounding, silent);
}

// One WAV per key, each made only as it is written.
std::vector<PackFile> WavFiles(const PackSounds& sounds, const std::map<int, int>& sources)
{
    std::vector<PackFile> files;
    for (const auto& [code, packCode] : sources) {
        const SoundPiece piece = sounds.pieces.at(packCode);
        files.push_back({WavFileName(code), [&sounds, piece] {
                             const PcmSound& source = sounds.sources[piece.source];
                             return WavFileBytes(source.sampleRate, source.channels, sounds.Samples(piece));
                         }});
    }
    return files;
}

}  // namespace

PackImport::PackImport(PackImportServices services, FormModel& pref) : services_(services), pref_(pref) {}

void PackImport::cmdImport_Click()
{
    const auto config = ChooseConfig();
    if (!config)
        return;
    if (const auto failure = Import(*config)) {
        services_.log.Write("Pack import failed: " + *failure);
        Tell(*failure);
    }
}

std::optional<std::string> PackImport::Import(const std::string& configPath)
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
    if (const auto* error = std::get_if<PackError>(&read))
        return Failed(error->message);
    const PackConfig& config = std::get<PackConfig>(read);

    auto loaded = LoadPackSounds(services_.files, services_.decoder, FolderOf(configPath), config);
    services_.decoder.Finish();
    if (const auto* error = std::get_if<PackError>(&loaded))
        return Failed(error->message);
    const PackSounds& sounds = std::get<PackSounds>(loaded);

    const std::map<int, int> sources = KeySources(sounds);
    if (sources.empty())
        return Failed("It gives no sound for any key Clavitone has.");

    bool lossy = false;
    std::string name = PlainSchemeName(services_.codePage.Utf8ToAnsi(config.name, lossy));
    if (name.empty())
        name = UnnamedPack;
    const auto folder = WritePackFolder(services_.files, SafeFolderName(config.id, name), WavFiles(sounds, sources));
    if (!folder)
        return Failed("Its sounds could not be written to the folder of imported packs.");

    // A name that would share values with another scheme is refused like a
    // taken one, and the user is told why the scheme is named otherwise.
    const auto colliding = CollidingScheme(name, SchemeListBox(pref_).items);
    const std::string packName = name;
    name = UniqueSchemeName(name);
    AddScheme(name, *folder, sources);
    if (lossy)
        Tell("Some characters of the pack's name cannot be shown and were left out. The new scheme is named \"" +
             name + "\".");
    if (colliding)
        Tell(CollisionMessage(packName, *colliding) + " The new scheme is named \"" + name + "\".");
    return std::nullopt;
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

// The same store layout as "Save as...": every key's path and state, then the
// list, with the new scheme selected, which loads it.
void PackImport::AddScheme(const std::string& name, const std::string& folder, const std::map<int, int>& sources)
{
    SettingsStore& store = services_.store;
    for (const KeyRange range : SchemeKeyCodes) {
        for (int code = range.first; code <= range.last; ++code) {
            const bool sounds = sources.contains(code);
            SaveSettingsText(store, StateKey(name, code), sounds ? KeySoundOn : KeySoundOff);
            SaveSettingsText(store, PathKey(name, code), sounds ? folder + "\\" + WavFileName(code) : NoSoundPath);
        }
    }
    for (int code = RightModifierCodes.first; code <= RightModifierCodes.last; ++code) {
        DeleteSettingsKey(store, StateKey(name, code));
        DeleteSettingsKey(store, PathKey(name, code));
    }
    Control& list = SchemeListBox(pref_);
    pref_.AddItem(list, name);
    const int count = static_cast<int>(list.items.size());
    pref_.SetListIndex(list, count - 1);
    SaveSettingsNumber(store, SettingSchemesQuantity, count);
    SaveSettingsText(store, SchemeNameKey(count - 1), name);
    SaveSettingsNumber(store, SettingLastScheme, list.listIndex);
}

void PackImport::Tell(const std::string& text)
{
    services_.messages.MessageBoxA(pref_.hWnd, ShownText(text), std::string(MessageTitle),
                                   MessageOkOnly | MessageExclamation);
}

}  // namespace clavitone
