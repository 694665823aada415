#include "schemes/frm_saveas.h"

#include "schemes/saveas_layout.h"
#include "schemes/scheme_list.h"
#include "schemes/scheme_names.h"
#include "settings/settings_layout.h"

namespace clavitone {

namespace {

constexpr std::string_view MessageTitle = "Clavitone";
// The dialog's "Language" texts: the label, the title, and the two halves
// of the message around a name already taken.
constexpr std::string_view LabelText = "lblSave";
constexpr std::string_view TitleText = "SaveCaption";
constexpr std::string_view TakenText0 = "Saveas0";
constexpr std::string_view TakenText1 = "Saveas1";
constexpr std::string_view NameMissing = "Please type a name for the sound scheme.";

// A name of blanks only would show as an empty entry of the list.
bool IsBlank(std::string_view name)
{
    return name.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

frmSaveas::frmSaveas(SettingsStore& store, WindowManager& windows, MessageBoxes& messages, WindowFocus& focus,
                     FormModel& pref, FormModel& form)
    : store_(store), windows_(windows), messages_(messages), focus_(focus), pref_(pref), form_(form)
{
    form_.clicked = [this](Control& control) {
        if (Is(control, SaveasControl::cmdSaveOk))
            cmdSaveOk_Click();
        else if (Is(control, SaveasControl::cmdCancel))
            cmdCancel_Click();
    };
    // The close box is one more way to cancel; the dialog stays loaded.
    form_.closeRequested = [this] { cmdCancel_Click(); };
}

void frmSaveas::Show()
{
    form_.SetCaption(form_(SaveasControl::lblSave), GetLanguageText(store_, LabelText));
    form_.caption = GetLanguageText(store_, TitleText);
    form_.SetText(form_(SaveasControl::txtSave), CurrentSchemeName(pref_));
    windows_.ShowModal(form_, pref_.hWnd);
}

void frmSaveas::cmdSaveOk_Click()
{
    if (IsBlank(TypedName())) {
        Refuse(std::string(NameMissing), MessageInformation);
        return;
    }
    if (SchemeExists(TypedName())) {
        Refuse(GetLanguageText(store_, TakenText0) + TypedName() + GetLanguageText(store_, TakenText1),
               MessageExclamation);
        return;
    }
    if (RefusedForCollision())
        return;
    for (const KeyRange range : SchemeKeyCodes)
        CopyKeyRange(range.first, range.last);

    AppendScheme(store_, pref_, TypedName());
    Hide();
}

void frmSaveas::cmdCancel_Click()
{
    Hide();
}

bool frmSaveas::SchemeExists(std::string_view name)
{
    for (const std::string& entry : SchemeListBox(pref_).items)
        if (SameSchemeName(entry, name))
            return true;
    return false;
}

// A name whose values would fall on another scheme's: the message names that
// scheme, and the dialog stays open for another name.
bool frmSaveas::RefusedForCollision()
{
    const auto other = CollidingScheme(TypedName(), SchemeListBox(pref_).items);
    if (!other)
        return false;
    Refuse(CollisionMessage(TypedName(), *other), MessageExclamation);
    return true;
}

// The copy holds exactly what the source stores, so it sounds the same on any
// installation: a value the source lacks is absent in the copy too and takes
// the same default.
void frmSaveas::CopyKeyRange(int first, int last)
{
    for (int code = first; code <= last; ++code)
        for (const SchemeKeyValue& value : SchemeKeyValues)
            CopyValue(value.key(CurrentSchemeName(pref_), code), value.key(TypedName(), code));
}

void frmSaveas::CopyValue(const std::string& from, const std::string& to)
{
    if (const auto value = FindSettingsText(store_, from))
        SaveSettingsText(store_, to, *value);
    else
        DeleteSettingsKey(store_, to);  // a value left behind under this name must not leak into the copy
}

// The name box gets the focus back with its text selected, so that typing
// replaces the name refused.
void frmSaveas::Refuse(const std::string& text, unsigned icon)
{
    messages_.MessageBoxA(form_.hWnd, text, std::string(MessageTitle), MessageOkOnly | icon);
    focus_.SetFocus(form_(SaveasControl::txtSave).hWnd);
}

void frmSaveas::Hide()
{
    windows_.ShowWindow(form_.hWnd, WindowHide);
}

}  // namespace clavitone
