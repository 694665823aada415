// "Delete scheme" and " Minimize", the window's other two commands.
#pragma once

#include "platform/platform.h"
#include "schemes/scheme_list.h"
#include "settings/settings_store.h"
#include "ui/control_model.h"

namespace clavitone {

class SchemeDeleting {
public:
    SchemeDeleting(SettingsStore& store, MessageBoxes& messages, WindowManager& windows, FileSystem& files,
                   FormModel& pref);

    // Removes the current scheme after the user's confirmation; the last
    // remaining entry becomes current. An imported scheme's folder of sounds
    // goes with it, unless another scheme still plays them.
    void DeleteScheme();
    // Puts the window away into the tray; nothing is written.
    void Minimize();

private:
    bool Confirmed();
    void DeleteKeyRange(int first, int last);
    void CloseGap(int position);

    SettingsStore& store_;
    MessageBoxes& messages_;
    WindowManager& windows_;
    FileSystem& files_;
    FormModel& pref_;
};

}  // namespace clavitone
