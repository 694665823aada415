#include "schemes/scheme_deleting.h"

#include "schemes/pack_folder.h"
#include "schemes/scheme_names.h"
#include "settings/settings_layout.h"

namespace clavitone {

namespace {

constexpr unsigned ConfirmStyle = MessageYesNo | MessageExclamation;
// The question's "Language" texts: the halves around the scheme's name, and its title.
constexpr std::string_view QuestionText0 = "DeleteScheme0";
constexpr std::string_view QuestionText1 = "DeleteScheme1";
constexpr std::string_view QuestionTitle = "DeleteScheme2";

// The second Shift, Ctrl and Alt buttons store values of their own under
// the scheme's name; they go with the scheme.
constexpr KeyRange RightModifierCodes{216, 218};

}  // namespace

SchemeDeleting::SchemeDeleting(SettingsStore& store, MessageBoxes& messages, WindowManager& windows,
                               FileSystem& files, FormModel& pref)
    : store_(store), messages_(messages), windows_(windows), files_(files), pref_(pref)
{
}

void SchemeDeleting::DeleteScheme()
{
    Control& list = SchemeListBox(pref_);
    // The schemes that come with the program stay, also when switching sounds
    // back on has enabled the command for them.
    if (list.listIndex < 0 || IsBuiltInScheme(list.text) || !Confirmed())
        return;
    const auto packFolder = SchemePackFolder(files_, store_, CurrentSchemeName(pref_));
    for (const KeyRange range : SchemeKeyCodes)
        DeleteKeyRange(range.first, range.last);
    DeleteKeyRange(RightModifierCodes.first, RightModifierCodes.last);

    const int position = list.listIndex;
    CloseGap(position);
    pref_.RemoveItem(list, position);
    const int count = static_cast<int>(list.items.size());
    pref_.SetListIndex(list, count - 1);
    if (list.listIndex < 0)
        UpdateDeleteCommand(pref_);  // the list is empty: no switch ran to do it
    SaveSettingsNumber(store_, SettingSchemesQuantity, count);
    SaveSettingsNumber(store_, SettingLastScheme, list.listIndex);
    if (packFolder)
        RemoveUnusedPackFolder(files_, store_, *packFolder, list.items);
}

void SchemeDeleting::Minimize()
{
    windows_.ShowWindow(pref_.hWnd, WindowMinimize);
    windows_.ShowWindow(pref_.hWnd, WindowHide);
}

bool SchemeDeleting::Confirmed()
{
    const std::string text =
        GetLanguageText(store_, QuestionText0) + CurrentSchemeName(pref_) + GetLanguageText(store_, QuestionText1);
    const int answer = messages_.MessageBoxA(pref_.hWnd, text, GetLanguageText(store_, QuestionTitle), ConfirmStyle);
    // A box that failed (0) or was closed with Escape is no consent.
    return answer == AnswerYes;
}

void SchemeDeleting::DeleteKeyRange(int first, int last)
{
    for (int code = first; code <= last; ++code)
        for (const SchemeKeyValue& value : SchemeKeyValues)
            DeleteSettingsKey(store_, value.key(CurrentSchemeName(pref_), code));
}

// Each later name moves down one place as the list shows it, so an entry
// that showed a default name keeps that name and its per-key values.
void SchemeDeleting::CloseGap(int position)
{
    const auto& names = SchemeListBox(pref_).items;
    const int last = static_cast<int>(names.size()) - 1;
    for (int i = position + 1; i <= last; ++i)
        SaveSettingsText(store_, SchemeNameKey(i - 1), names[static_cast<std::size_t>(i)]);
    DeleteSettingsKey(store_, SchemeNameKey(last));
}

}  // namespace clavitone
