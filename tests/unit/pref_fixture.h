// frmPref with every platform service faked, a current scheme, and handles
// for its key buttons, for the tests of the preferences window's handlers.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/frm_pref.h"
#include "options/options_layout.h"
#include "schemes/saveas_layout.h"
#include "tests/fakes/fake_platform.h"
#include "ui/pref_layout.h"

namespace clavitone {

class PrefFixture : public ::testing::Test, protected fakes::FakePlatform {
protected:
    static constexpr WindowHandle FormHandle = 0x1000;
    static constexpr WindowHandle KeyHandleBase = 0x10000;
    static constexpr WindowHandle AboutHandle = 0x3000;

    PrefFixture()
    {
        form.hWnd = FormHandle;
        for (Control& control : form.controls)
            if (Is(control, PrefControl::chkSound))
                control.hWnd = KeyHandleBase + static_cast<WindowHandle>(control.id.index);
        // One scheme, current both before and after start-up.
        Store("SchemesQuantity", "1");
        Store("Scheme0", "Typewriter");
        Store("LastScheme", "0");
        form(PrefControl::Combo, 0).items = {"Typewriter"};
        form(PrefControl::Combo, 0).listIndex = 0;
        form(PrefControl::Combo, 0).text = "Typewriter";
        focus.gotFocus = [this](WindowHandle window) {
            pref.chkSound_GotFocus(static_cast<int>(window - KeyHandleBase));
        };
    }

    void Store(const std::string& key, const std::string& value)
    {
        store.values[{"Clavitone", "Settings", key}] = value;
    }
    std::optional<std::string> Setting(const std::string& key) const { return store.At("Settings", key); }

    Control& Key(int code) { return form(PrefControl::chkSound, code); }
    std::string PathBox() { return form(PrefControl::Text, 0).text; }

    // A left click on a key button that lacks the focus: Windows gives it the
    // focus first, then toggles it.
    void LeftClick(int code)
    {
        pref.chkSound_GotFocus(code);
        Key(code).value = 1 - Key(code).value;
        pref.chkSound_Click(code);
    }

    KeySoundTable keySound;
    FormModel form = MakePrefForm();
    FormModel saveasForm = MakeSaveasForm();
    FormModel optionsForm = MakeOptionsForm();
    frmPref pref{Services(), keySound, form, saveasForm, optionsForm};
};

}  // namespace clavitone
