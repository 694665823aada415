// "Import pack...": a sound pack in the community format (config.json and
// its audio) becomes a scheme of per-key WAV files, selected at once.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/event_log.h"
#include "platform/platform.h"
#include "platform/result.h"
#include "schemes/pack_files.h"
#include "settings/settings_store.h"
#include "sound/audio_decoding.h"
#include "ui/control_model.h"

namespace clavitone {

struct PackImportServices {
    SettingsStore& store;
    FileSystem& files;
    CodePage& codePage;
    FileDialog& dialog;
    MessageBoxes& messages;
    EventLog& log;  // records why an import failed
    AudioDecoder& decoder;  // a pack's audio, decoded in a process of its own
};

class PackImport {
public:
    // pref is frmPref's control tree: the scheme list and the owner of the dialogs.
    PackImport(PackImportServices services, FormModel& pref);

    // Asks for a pack's config.json and imports it; every failure is told in a message box.
    void ImportPack();
    // Imports the pack of that config.json: the new scheme is appended and
    // selected, or, when anything fails, nothing is written and the reason is
    // returned.
    Result<void> Import(const std::string& configPath);

private:
    std::optional<std::string> ChooseConfig();
    std::string UniqueSchemeName(std::string name) const;
    void AddScheme(const std::string& name, const std::string& folder, const std::map<int, KeyFileNames>& keys);
    void Tell(const std::string& text, unsigned icon);

    PackImportServices services_;
    FormModel& pref_;
    std::string lastFolder_;  // the next dialog opens where the last pack was
};

}  // namespace clavitone
