// "Find sound": the open-file dialog for the key shown in the details area.
// The chosen path goes into the path box, whose change rule stores it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "prefs/key_details.h"
#include "settings/settings_store.h"
#include "ui/control_model.h"

namespace clavitone {

class SoundBrowse {
public:
    SoundBrowse(FormModel& form, SettingsStore& store, Environment& environment, FileDialog& dialog,
                const KeyDetails& details);

    void cmdBrowse_Click(int Index);
    // The chosen file's full path; on cancel or failure the text of Text(BrowseNumber).
    std::string OpenFile(const std::string& FileExtension, const std::int16_t& BrowseNumber, const std::string& fname);

    // 0: the next dialog's initial folder, kept from one browse to the next;
    // 1 and 2: the two filter descriptions of the last dialog.
    std::array<std::string, 3> BrowseText;

private:
    void FollowPathBox(const std::string& path);

    FormModel& form_;
    SettingsStore& store_;
    Environment& environment_;
    FileDialog& dialog_;
    const KeyDetails& details_;
};

}  // namespace clavitone
