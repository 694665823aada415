#include "ui/control_model.h"

#include <algorithm>
#include <cstdlib>

namespace clavitone {

int TwipsToPixels(int twips, int twipsPerPixel)
{
    if (twipsPerPixel <= 0)
        return twips;
    const int half = twipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / twipsPerPixel : -((-twips + half) / twipsPerPixel);
}

Control* FormModel::FindNamed(std::string_view name, int index)
{
    auto it = std::find_if(controls.begin(), controls.end(),
                           [&](const Control& c) { return c.id.name == name && c.id.index == index; });
    return it == controls.end() ? nullptr : &*it;
}

const Control* FormModel::FindNamed(std::string_view name, int index) const
{
    return const_cast<FormModel*>(this)->FindNamed(name, index);
}

Control& FormModel::Named(std::string_view name, int index)
{
    Control* control = FindNamed(name, index);
    if (!control)
        std::abort();
    return *control;
}

void FormModel::SetValue(Control& control, int value)
{
    control.value = value;
    Notify(control);
    if (control.kind != ControlKind::OptionButton || value == 0)
        return;
    for (Control& other : controls)
        if (&other != &control && other.kind == ControlKind::OptionButton && other.id.name == control.id.name &&
            other.value != 0) {
            other.value = 0;
            Notify(other);
        }
}

void FormModel::SetText(Control& control, std::string text)
{
    control.text = std::move(text);
    Notify(control);
    if (textChange)
        textChange(control);
}

void FormModel::SetCaption(Control& control, std::string caption)
{
    control.caption = std::move(caption);
    Notify(control);
}

void FormModel::SetEnabled(Control& control, bool enabled)
{
    control.enabled = enabled;
    Notify(control);
}

void FormModel::AddItem(Control& list, std::string item)
{
    list.items.push_back(std::move(item));
    Notify(list);
}

void FormModel::RemoveItem(Control& list, int position)
{
    if (position < 0 || position >= static_cast<int>(list.items.size()))
        return;
    list.items.erase(list.items.begin() + position);
    if (position == list.listIndex) {
        list.listIndex = -1;
        list.text.clear();
    } else if (position < list.listIndex) {
        --list.listIndex;  // the selected entry moved up with the rest
    }
    Notify(list);
}

void FormModel::ClearList(Control& list)
{
    list.items.clear();
    list.listIndex = -1;
    list.text.clear();
    Notify(list);
}

void FormModel::SetListIndex(Control& list, int position)
{
    if (position < 0 || position >= static_cast<int>(list.items.size()))
        position = -1;
    if (position == list.listIndex)
        return;
    list.listIndex = position;
    list.text = position < 0 ? std::string() : list.items[static_cast<std::size_t>(position)];
    Notify(list);
    if (position >= 0)
        Click(list);
}

void FormModel::Click(Control& control)
{
    if (clicked)
        clicked(control);
}

void FormModel::Notify(const Control& control)
{
    if (changed)
        changed(control);
}

}  // namespace clavitone
