// The scheme list Combo(0): filled from the store at start-up; selecting an
// entry switches to that scheme.
#pragma once

#include <cstdint>
#include <string>

#include "schemes/sound_table_loader.h"
#include "settings/settings_store.h"
#include "ui/control_model.h"

namespace clavitone {

// "Delete scheme" is for a current scheme that did not come with the program:
// disabled for the two built-in names and while nothing is selected.
void UpdateDeleteCommand(FormModel& pref);

// A scheme whose values are stored joins the end of the list and becomes the
// current one; the list's count, its name and the choice are stored.
void AppendScheme(SettingsStore& store, FormModel& pref, const std::string& name);

class SchemeList {
public:
    SchemeList(SettingsStore& store, FormModel& pref, SoundTableLoader& loader);

    // Fills the list and selects the remembered entry, which performs the switch.
    void ComboLoading();
    // The switch, run by the model whenever a different entry becomes selected.
    void Combo_Click(std::int16_t Index);

private:
    int RememberedPosition(int count);

    SettingsStore& store_;
    FormModel& pref_;
    SoundTableLoader& loader_;
};

}  // namespace clavitone
