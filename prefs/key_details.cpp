#include "prefs/key_details.h"

#include "prefs/key_names.h"
#include "settings/settings_layout.h"
#include "ui/pref_layout.h"

namespace clavitone {

namespace {

constexpr int Released = 0;
constexpr int Pressed = 1;
constexpr int RightButton = 2;
// Text(1), Label(1) and cmdBrowse(1): the selected key's release sound.
constexpr int ReleaseBox = 1;

constexpr std::string_view IdleCaption = "Path to sound";
constexpr std::string_view ShownCaption = "The sound for the button ";
constexpr std::string_view DisabledSuffix = " is disabled";

}  // namespace

KeyDetails::KeyDetails(FormModel& form, SettingsStore& store, Environment& environment, WindowFocus& focus,
                       KeySoundTable& keySound)
    : form_(form), store_(store), environment_(environment), focus_(focus), KeySound(keySound)
{
}

void KeyDetails::SelectKey(int code)
{
    const Control* key = KeyButton(code);
    if (!key)
        return;
    if (key->value != Released) {
        KeySelected = VbFalse;
        ClearDetails();
        KeySound.Set(code, "");
        return;
    }
    KeySelected = VbTrue;
    SelectedKey = static_cast<std::int16_t>(code);
    SelectedKeyName = KeyDisplayName(code, key->caption);

    // Each fill runs the change rule, which stores the path for this key:
    // what is shown is what the key plays, so showing it changes nothing.
    Control& path = form_(PrefControl::Text, 0);
    const int shared = SharedSoundCode(code);
    if (shared != code)
        form_.SetText(path, StoredPath(shared));
    form_.SetText(path, StoredPath(code));
    ShowKeyLook();
    if (path.text.empty())
        form_.SetText(path, std::string(NoSoundPath));
    SetLabelCaption(std::string(ShownCaption) + SelectedKeyName);

    // The release box shows what the key plays when let go; the right-hand
    // modifier buttons show their left twin's, which is what plays for both.
    const auto release = FindSettingsText(store_, ReleaseKey(SchemeName(), shared));
    form_.SetText(form_(PrefControl::Text, ReleaseBox),
                  release && !release->empty() ? *release : std::string(NoSoundPath));
    RefreshVariants(shared);
}

void KeyDetails::ClearDetails()
{
    Control& path = form_(PrefControl::Text, 0);
    form_.Update(path, [](Control& box) {
        box.locked = true;
        box.enabled = false;
    });
    form_.Update(form_(PrefControl::Label, 0), [](Control& label) {
        label.enabled = false;
        label.caption = IdleCaption;
    });
    form_.Update(form_(PrefControl::cmdBrowse, 0), [](Control& button) { button.enabled = false; });
    form_.SetText(path, std::string(NoSoundPath));
    form_.Update(path, [](Control& box) { box.backColor = SystemColor::ButtonFace; });

    Control& release = form_(PrefControl::Text, ReleaseBox);
    form_.Update(release, [](Control& box) {
        box.locked = true;
        box.enabled = false;
    });
    form_.Update(form_(PrefControl::Label, ReleaseBox), [](Control& label) { label.enabled = false; });
    form_.Update(form_(PrefControl::cmdBrowse, ReleaseBox), [](Control& button) { button.enabled = false; });
    form_.SetText(release, std::string(NoSoundPath));
    form_.Update(release, [](Control& box) { box.backColor = SystemColor::ButtonFace; });
}

void KeyDetails::Deselect()
{
    // Before the reset: its "None" must not be stored for the key shown last.
    KeySelected = VbFalse;
    ClearDetails();
}

void KeyDetails::chkSound_Click(int Index)
{
    const Control* key = KeyButton(Index);
    if (!key)
        return;
    const int state = key->value;
    if (!HasScheme()) {
        // With no scheme there is nothing to switch: the button springs back.
        form_.SetValue(form_(PrefControl::chkSound, Index), state == Pressed ? Released : Pressed);
        return;
    }
    SaveSettingsNumber(store_, StateKey(SchemeName(), Index), state);
    if (state != Pressed) {
        SelectKey(Index);
        return;
    }
    // Still selected: the reset's change rule finds the key pressed and
    // empties its slot, while its stored path stays for when it sounds again.
    ClearDetails();
    SetLabelCaption(std::string(ShownCaption) + SelectedKeyName + std::string(DisabledSuffix));
}

void KeyDetails::chkSound_GotFocus(int Index)
{
    SelectKey(Index);
}

void KeyDetails::chkSound_MouseDown(int Index, int Button, int /*Shift*/, float /*X*/, float /*Y*/)
{
    // The right button shows a key without switching its sound.
    if (Button != RightButton)
        return;
    if (const Control* key = KeyButton(Index))
        focus_.SetFocus(key->hWnd);
}

void KeyDetails::Text_Change(int Index)
{
    if (KeySelected == VbFalse)
        return;
    const Control* key = KeyButton(SelectedKey);
    if (!key)
        return;
    if (Index == ReleaseBox) {
        ReleaseChange(*key);
        return;
    }
    if (key->value != Released) {
        KeySound.Set(SelectedKey, "");
        return;
    }
    const std::string& path = form_(PrefControl::Text, 0).text;
    KeySound.Set(SelectedKey, path);
    if (!HasScheme())
        return;  // nowhere to store it
    const std::string scheme = SchemeName();
    // A new sound replaces the key's whole set: its further sounds went with the old one.
    if (FindSettingsText(store_, PathKey(scheme, SelectedKey)) != path) {
        DeleteSettingsKey(store_, MoreSoundsKey(scheme, SelectedKey));
        SaveSettingsText(store_, PathKey(scheme, SelectedKey), path);
        RefreshVariants(SelectedKey);
        return;
    }
    SaveSettingsText(store_, PathKey(scheme, SelectedKey), path);
}

// Stored only when it changes, so that showing a key adds no value to a
// scheme that has no release sounds.
void KeyDetails::ReleaseChange(const Control& key)
{
    if (key.value != Released || !HasScheme())
        return;  // a silent key plays no release sound; what is stored stays for later
    const std::string scheme = SchemeName();
    const int code = SharedSoundCode(SelectedKey);
    const std::string& path = form_(PrefControl::Text, ReleaseBox).text;
    const auto stored = FindSettingsText(store_, ReleaseKey(scheme, code));
    if (stored == path || (IsNoSound(path) && !stored))
        return;
    DeleteSettingsKey(store_, MoreReleaseSoundsKey(scheme, code));
    if (IsNoSound(path))
        DeleteSettingsKey(store_, ReleaseKey(scheme, code));
    else
        SaveSettingsText(store_, ReleaseKey(scheme, code), path);
    RefreshVariants(code);
}

// The key's further and release sounds in the table follow the store, for a key that sounds.
void KeyDetails::RefreshVariants(int code)
{
    const auto& slot = KeySound[code];
    if (!slot || slot->empty()) {
        KeySound.Variants().Clear(code);
        return;
    }
    auto [morePress, release] = ReadKeyVariants(store_, SchemeName(), code);
    KeySound.Variants().Set(code, std::move(morePress), std::move(release));
}

const Control* KeyDetails::KeyButton(int code) const
{
    return form_.Find(PrefControl::chkSound, code);
}

// The current scheme is the scheme list's text, read afresh for every key.
std::string KeyDetails::SchemeName() const
{
    return form_(PrefControl::Combo, 0).text;
}

// An empty list selects nothing: key settings would belong to a scheme
// without a name.
bool KeyDetails::HasScheme() const
{
    return form_(PrefControl::Combo, 0).listIndex >= 0;
}

std::string KeyDetails::StoredPath(int code)
{
    return StoredSoundPath(store_, SchemeName(), environment_.AppPath(), code);
}

void KeyDetails::ShowKeyLook()
{
    form_.Update(form_(PrefControl::Text, 0), [](Control& box) {
        box.enabled = true;
        box.locked = true;  // a path is chosen with "Find sound", never typed
        box.backColor = SystemColor::Window;
    });
    form_.Update(form_(PrefControl::Label, 0), [](Control& label) { label.enabled = true; });
    form_.Update(form_(PrefControl::cmdBrowse, 0), [](Control& button) { button.enabled = true; });
    form_.Update(form_(PrefControl::Text, ReleaseBox), [](Control& box) {
        box.enabled = true;
        box.locked = true;
        box.backColor = SystemColor::Window;
    });
    form_.Update(form_(PrefControl::Label, ReleaseBox), [](Control& label) { label.enabled = true; });
    form_.Update(form_(PrefControl::cmdBrowse, ReleaseBox), [](Control& button) { button.enabled = true; });
}

void KeyDetails::SetLabelCaption(std::string caption)
{
    form_.Update(form_(PrefControl::Label, 0), [&](Control& label) { label.caption = std::move(caption); });
}

}  // namespace clavitone
