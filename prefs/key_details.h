// The details area under the keyboard picture: which key is selected, what the
// area shows for it, and the key buttons' own events. A key button's state is
// its sound switch (0 released: the key sounds, 1 pressed: it is silent); its
// focus selects the key for the details area.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "platform/vb_boolean.h"
#include "settings/settings_store.h"
#include "sound/key_sound.h"
#include "ui/control_model.h"

namespace clavitone {

class KeyDetails {
public:
    KeyDetails(FormModel& form, SettingsStore& store, Environment& environment, WindowFocus& focus,
               KeySoundTable& keySound);

    // Shows a key whose sound is on; for one whose sound is off, resets the
    // area and empties the key's slot.
    void SelectKey(int code);
    // The idle look. Leaves KeySelected as it is.
    void ClearDetails();
    // Focus went to a control that is neither a key nor part of the area.
    void Deselect();

    void chkSound_Click(int Index);
    void chkSound_GotFocus(int Index);
    void chkSound_MouseDown(int Index, int Button, int Shift, float X, float Y);
    // The path box's change rule: its text becomes the selected key's sound;
    // that of the release box (index 1) its release sound.
    void Text_Change(int Index);

    // A key with its sound on is shown, and the path box's changes are stored for it.
    std::int16_t KeySelected = VbFalse;
    // The key last shown with its sound on, and its display name.
    std::int16_t SelectedKey = 0;
    std::string SelectedKeyName;

private:
    const Control* KeyButton(int code) const;
    std::string SchemeName() const;
    bool HasScheme() const;
    std::string StoredPath(int code);
    void ShowKeyLook();
    void ReleaseChange(const Control& key);
    void RefreshVariants(int code);
    void SetLabelCaption(std::string caption);

    FormModel& form_;
    SettingsStore& store_;
    Environment& environment_;
    WindowFocus& focus_;
    KeySoundTable& KeySound;
};

}  // namespace clavitone
