#include "schemes/scheme_list.h"

#include "schemes/scheme_names.h"
#include "settings/settings_layout.h"
#include "ui/pref_layout.h"

namespace clavitone {

namespace {

constexpr int DeleteCommand = 2;

}  // namespace

void UpdateDeleteCommand(FormModel& pref)
{
    const Control& list = SchemeListBox(pref);
    pref.SetEnabled(pref(PrefControl::Command, DeleteCommand), list.listIndex >= 0 && !IsBuiltInScheme(list.text));
}

void AppendScheme(SettingsStore& store, FormModel& pref, const std::string& name)
{
    Control& list = SchemeListBox(pref);
    pref.AddItem(list, name);
    const int count = static_cast<int>(list.items.size());
    pref.SetListIndex(list, count - 1);
    SaveSettingsNumber(store, SettingSchemesQuantity, count);
    SaveSettingsText(store, SchemeNameKey(count - 1), name);
    SaveSettingsNumber(store, SettingLastScheme, list.listIndex);
}

SchemeList::SchemeList(SettingsStore& store, FormModel& pref, SoundTableLoader& loader)
    : store_(store), pref_(pref), loader_(loader)
{
}

void SchemeList::ComboLoading()
{
    Control& list = SchemeListBox(pref_);
    pref_.ClearList(list);
    const int last = GetSettingsNumber(store_, SettingSchemesQuantity, DefaultSchemesQuantity) - 1;
    for (int position = 0; position <= last; ++position)
        pref_.AddItem(list, GetSettingsText(store_, SchemeNameKey(position), DefaultSchemeName(position)));
    pref_.SetListIndex(list, RememberedPosition(static_cast<int>(list.items.size())));
    if (list.listIndex < 0)
        UpdateDeleteCommand(pref_);  // no switch happened to do it
}

void SchemeList::Combo_Click(std::int16_t /*Index*/)
{
    SaveSettingsNumber(store_, SettingLastScheme, SchemeListBox(pref_).listIndex);
    loader_.SoundLoading();
    UpdateDeleteCommand(pref_);
}

// A position the list does not have (a stale or mangled value) falls back to
// the first entry rather than to no scheme at all.
int SchemeList::RememberedPosition(int count)
{
    const int position = GetSettingsNumber(store_, SettingLastScheme, DefaultLastScheme);
    if (count == 0)
        return -1;
    return position >= 0 && position < count ? position : 0;
}

}  // namespace clavitone
