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

Control* FormModel::Find(std::string_view name, int index)
{
    auto it = std::find_if(controls.begin(), controls.end(),
                           [&](const Control& c) { return c.id.name == name && c.id.index == index; });
    return it == controls.end() ? nullptr : &*it;
}

const Control* FormModel::Find(std::string_view name, int index) const
{
    return const_cast<FormModel*>(this)->Find(name, index);
}

Control& FormModel::operator()(std::string_view name, int index)
{
    Control* control = Find(name, index);
    if (!control)
        std::abort();
    return *control;
}

void FormModel::SetValue(Control& control, int value)
{
    control.value = value;
    Notify(control);
}

void FormModel::SetText(Control& control, std::string text)
{
    control.text = std::move(text);
    Notify(control);
    if (textChange)
        textChange(control);
}

void FormModel::Notify(const Control& control)
{
    if (changed)
        changed(control);
}

}  // namespace clavitone
