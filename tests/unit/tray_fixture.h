// frmPref with the handles the tray needs, and each change of a control
// written to the journal in between the platform calls, so that tests see one
// sequence of everything.
#pragma once

#include <string>
#include <vector>

#include "tests/unit/pref_fixture.h"

namespace clavitone {

class TrayTest : public PrefFixture {
protected:
    static constexpr WindowHandle HookBoxHandle = 0x2000;
    static constexpr WindowHandle MenuHandle = 0x4000;
    static constexpr IconHandle SoundsOnPicture = 0x5000;
    static constexpr IconHandle SoundsOffPicture = 0x5001;

    TrayTest()
    {
        form(PrefControl::pichook).hWnd = HookBoxHandle;
        form(PrefControl::mnuDummy).hWnd = MenuHandle;
        form(PrefControl::imgDefault, 0).pictureHandle = SoundsOnPicture;
        form(PrefControl::imgDefault, 1).pictureHandle = SoundsOffPicture;
        form.changed = [this](const Control& control) { journal.push_back({Describe(control), std::nullopt, 0, {}}); };
    }

    void Start()
    {
        pref.Form_Load();
        journal.clear();
    }

    void SetLanguage(const std::string& key, const std::string& text)
    {
        store.values[{"Clavitone", "Language", key}] = text;
    }

    // The tray callback as the Win32 layer delivers it: the mouse message
    // number as x, in twips.
    void TrayCallback(int mouseMessage)
    {
        const float x = static_cast<float>(mouseMessage * environment.twipsPerPixel);
        pref.pichook_MouseMove(1, 0, x, 0.0f);
    }

    static std::string Describe(const Control& control)
    {
        std::string name = control.id.name + "(" + std::to_string(control.id.index) + ")";
        if (control.kind == ControlKind::MenuItem)
            return name + (control.checked ? " ticked" : " unticked");
        return name + (control.enabled ? " enabled" : " disabled");
    }

    std::vector<std::string> Sequence() const
    {
        std::vector<std::string> names;
        for (const auto& call : journal)
            names.push_back(call.what);
        return names;
    }

    std::vector<fakes::Call> CallsOf(const std::string& what) const
    {
        std::vector<fakes::Call> found;
        for (const auto& call : journal)
            if (call.what == what)
                found.push_back(call);
        return found;
    }

    static std::string Tip(const NotifyIconRecord& record) { return record.szTip.data(); }
};

using Names = std::vector<std::string>;

}  // namespace clavitone
