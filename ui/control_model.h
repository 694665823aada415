// The windows as data: every control with its layout and run-time state.
// Handlers read and change this model; the Win32 layer mirrors it into real
// controls and is told of every change through the form's listener.
#pragma once

#include <concepts>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace clavitone {

// Twips to whole screen pixels, rounded to the nearest; negative positions
// (controls placed off to the left or top) round the same way.
int TwipsToPixels(int twips, int twipsPerPixel);

// Index of a control that is not a member of a control array.
constexpr int NoIndex = -1;

enum class ControlKind {
    CheckBox,        // plain check box with a caption
    OptionButton,    // one of a control array of which exactly one is chosen
    KeyButton,       // check box drawn as a two-state push button
    CommandButton,
    ComboList,       // drop-down list without typing
    TextBox,
    ListBox,         // a list always open, one entry selectable
    TrackBar,        // a slider from 0 to its maxValue
    HotkeyBox,       // the standard control that takes a key combination
    Label,
    Frame,           // frame without caption
    PictureBox,
    Image,
    Line,
    MenuItem,
};

// Windows system colour indices the program uses.
enum class SystemColor { ButtonShadow = 16, Highlight3D = 20, Window = 5, ButtonFace = 15 };

// Each window names its controls with an enum class beside its layout table,
// and the layout gives each enumerator its control's name through
// ControlName(id): a misspelt control fails to compile instead of aborting.
template <typename Id>
concept ControlEnum = std::is_enum_v<Id> && requires(Id id) {
    { ControlName(id) } -> std::convertible_to<std::string_view>;
};

struct ControlId {
    ControlId() = default;
    ControlId(std::string name, int index = NoIndex) : name(std::move(name)), index(index) {}
    template <ControlEnum Id>
    ControlId(Id id, int index = NoIndex) : name(ControlName(id)), index(index)
    {
    }
    bool operator==(const ControlId&) const = default;

    std::string name;
    int index = NoIndex;
};

// Position and size in twips, relative to the container's client area. A line
// runs from (left, top) to (left + width, top + height).
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Control {
    // Layout: fixed for the life of the window.
    ControlId id;
    ControlKind kind = ControlKind::Label;
    std::string container;  // name of the containing control; empty for the window itself
    int containerIndex = NoIndex;
    std::string caption;
    TwipRect rect;
    int tabIndex = -1;      // -1: not a tab stop
    bool bold = false;
    std::string picture;    // resource name of the picture shown instead of a caption
    SystemColor lineColor = SystemColor::ButtonShadow;
    std::string toolTipText;  // shown while the mouse rests on the control
    bool pointingHand = false;  // the mouse pointer is a pointing hand over the control

    // Run-time state.
    int value = 0;          // check boxes, key and option buttons: 0 released, 1 pressed;
                            // a track bar's position; a hotkey box's combination
    int maxValue = 0;       // track bar: its highest position
    std::string text;       // text box contents, or the selected list entry's text
    bool enabled = true;
    bool visible = true;
    bool locked = false;    // read-only text box
    int maxLength = 0;      // text box: most characters the user can type; 0 for no limit
    SystemColor backColor = SystemColor::Window;
    bool checked = false;   // menu items
    std::vector<std::string> items;  // list entries
    int listIndex = -1;     // selected list entry, -1 for none

    WindowHandle hWnd = 0;  // set by the Win32 layer once the real control exists; a menu's pop-up menu
    IconHandle pictureHandle = 0;  // set by the Win32 layer once the picture is loaded
};

template <ControlEnum Id>
bool Is(const Control& control, Id id)
{
    return control.id.name == ControlName(id);
}

struct FormModel {
    std::string name;
    std::string caption;
    int clientWidth = 0;    // twips
    int clientHeight = 0;
    std::string icon;       // resource name of the window icon
    std::vector<Control> controls;
    WindowHandle hWnd = 0;

    // Called after the program changed a control's run-time state.
    std::function<void(const Control&)> changed;
    // A text box's change event: runs after every assignment of its text,
    // also one that leaves the text as it was.
    std::function<void(const Control&)> textChange;
    // A control's Click event, for the window's handlers: raised by the Win32
    // layer for the user's clicks and by the model's own rules below.
    std::function<void(Control&)> clicked;
    // The title bar's close box was pressed.
    std::function<void()> closeRequested;
    // The dialog keys: Enter presses enterButton unless another push button
    // has the focus, Escape presses escapeButton. Empty: the key does nothing.
    std::string enterButton;
    std::string escapeButton;

    // Null where the form has no such control, as for a code no key button has.
    template <ControlEnum Id>
    Control* Find(Id id, int index = NoIndex)
    {
        return FindNamed(ControlName(id), index);
    }
    template <ControlEnum Id>
    const Control* Find(Id id, int index = NoIndex) const
    {
        return FindNamed(ControlName(id), index);
    }
    // For controls the layout guarantees; a missing one is a programming error.
    template <ControlEnum Id>
    Control& operator()(Id id, int index = NoIndex)
    {
        return Named(ControlName(id), index);
    }
    // By a name the model itself holds: a container's, or a dialog key's button.
    Control* FindNamed(std::string_view name, int index = NoIndex);
    const Control* FindNamed(std::string_view name, int index = NoIndex) const;

    // Setting a state from code is not a user action: no click handling runs.
    // Choosing an option button releases the others of its control array.
    void SetValue(Control& control, int value);
    // Every assignment of a text box's text raises its change event.
    void SetText(Control& control, std::string text);
    void SetCaption(Control& control, std::string caption);
    void SetEnabled(Control& control, bool enabled);
    // Any other change of run-time state made from code, shown at once.
    template <typename Change>
    void Update(Control& control, Change&& change)
    {
        change(control);
        Notify(control);
    }

    // A list's entries, changed only through these three, one change shown
    // at a time (the Win32 mirror adds an appended entry alone). Removing the
    // selected entry leaves nothing selected; neither adding nor removing is a
    // click.
    void AddItem(Control& list, std::string item);
    void RemoveItem(Control& list, int position);
    void ClearList(Control& list);
    // Selecting a different entry, by the user or by the program, is a click
    // of the list: whoever selects, the list's handler runs. Selecting the
    // entry already selected, or nothing (-1, or a position outside the
    // list), raises no click.
    void SetListIndex(Control& list, int position);
    void Click(Control& control);

private:
    Control& Named(std::string_view name, int index);
    void Notify(const Control& control);
};

}  // namespace clavitone
