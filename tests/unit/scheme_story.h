// A whole frmPref on fakes, for the scheme stories: the store, the window's
// model, the save dialog's model, and scripted dialogs.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "app/frm_pref.h"
#include "options/options_layout.h"
#include "schemes/saveas_layout.h"
#include "tests/fakes/fake_platform.h"
#include "ui/pref_layout.h"

namespace clavitone::testing {

inline constexpr WindowHandle PrefHandle = 0x1000;
inline const std::string ProgramFolder = "C:\\Program Files\\Clavitone";

inline std::string DefaultFile(int code)
{
    return ProgramFolder + "\\" + std::to_string(code) + ".wav";
}

struct SchemeStory : fakes::FakePlatform {
    SchemeStory() : SchemeStory(nullptr) {}
    // With a store of the test's own instead of the in-memory one.
    explicit SchemeStory(SettingsStore* other) : settings(other ? *other : store) { form.hWnd = PrefHandle; }

    void Set(const std::string& key, const std::string& value) { store.values[{"Clavitone", "Settings", key}] = value; }
    void SetText(const std::string& key, const std::string& value) { store.values[{"Clavitone", "Language", key}] = value; }
    std::optional<std::string> At(const std::string& key) const { return store.At("Settings", key); }

    // "SchemesQuantity", "Scheme" + i and "LastScheme" as an installed program has them.
    void SetSchemes(std::initializer_list<std::string> names, int last)
    {
        int i = 0;
        for (const std::string& name : names)
            Set("Scheme" + std::to_string(i++), name);
        Set("SchemesQuantity", std::to_string(i));
        Set("LastScheme", std::to_string(last));
    }

    Control& List() { return form(PrefControl::Combo, 0); }
    const std::vector<std::string>& Entries() { return List().items; }
    const std::string& Current() { return List().text; }
    int Key(int code) { return form(PrefControl::chkSound, code).value; }
    bool DeleteEnabled() { return form(PrefControl::Command, 2).enabled; }

    // The user picks an entry of the scheme list.
    void Pick(int position) { form.SetListIndex(List(), position); }
    void ClickCommand(int index) { form.Click(form(PrefControl::Command, index)); }

    // "Save as...", then typing the name and pressing OK; further steps of
    // the same opening (Cancel after a refusal) may follow.
    void SaveAs(const std::string& name, std::vector<SaveasControl> then = {})
    {
        windows.interactions.push_back([name, then](FormModel& dialog) {
            dialog(SaveasControl::txtSave).text = name;
            dialog.Click(dialog(SaveasControl::cmdSaveOk));
            for (SaveasControl button : then)
                dialog.Click(dialog(button));
        });
        ClickCommand(1);
    }

    void DeleteCurrent(int answer = AnswerYes)
    {
        messages.answers.push_back(answer);
        ClickCommand(2);
    }

    SettingsStore& settings;
    KeySoundTable keySound;
    FormModel form = MakePrefForm();
    FormModel dialog = MakeSaveasForm();
    FormModel optionsForm = MakeOptionsForm();
    frmPref pref{Services(settings), keySound, form, dialog, optionsForm};
};

}  // namespace clavitone::testing
