// The real controls of a window, made from its control model and kept in step
// with it. Nothing is decided here: the model says what, this only shows it.
// Three files share the work: form_builder_win32.cpp creates the controls,
// control_mirror_win32.cpp shows the model's state in them, and
// control_events_win32.cpp carries their events back to the window.
//
// Use from the window procedure of an already created top-level window:
//   - construct FormControls in WM_CREATE (or right after CreateWindow), then
//     set form.changed = [&](const Control& c) { controls.Apply(c); };
//   - WM_COMMAND: FindById(LOWORD(wParam)) gives the model control of a child
//     notification (BN_CLICKED, EN_CHANGE, CBN_SELCHANGE) or of a popup menu
//     entry; ignore it while Applying() is true, it is the program's own echo;
//   - WmControlEvent: focus and mouse events of the controls, which Windows
//     does not report to the parent (see below);
//   - WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC: return ControlColors() when it is
//     not null;
//   - WM_SETCURSOR: set Cursor() of the control under the mouse when it is
//     not null, and return TRUE;
//   - destroy it no later than the window's WM_DESTROY.
// The window's own background shows through the frame and the picture boxes.
#pragma once

#include <windows.h>

#include <limits>
#include <string>
#include <vector>

#include "platform/scoped_win32.h"
#include "ui/control_events_win32.h"
#include "ui/control_model.h"

namespace clavitone {

// Child control id: ControlIdBase + the control's position in FormModel::controls.
inline constexpr int ControlIdBase = 1000;
// Popup menu entry with index i: WM_COMMAND with id MenuCommandBase + i.
inline constexpr int MenuCommandBase = 2000;

// A window's or control's text as Windows holds it.
std::string WindowText(HWND window);

class FormControls {
public:
    // Creates every control of the form as a direct child of window, positions
    // converted from twips with the screen's twips per pixel, in tab order, and
    // brings each into the model's run-time state. Sets Control::hWnd. The form
    // must outlive this object and keep its controls where they are.
    FormControls(HINSTANCE instance, HWND window, FormModel& form, int twipsPerPixelX, int twipsPerPixelY);
    ~FormControls();
    FormControls(const FormControls&) = delete;
    FormControls& operator=(const FormControls&) = delete;

    // Shows a control's run-time state: value, caption, text, enabled, visible,
    // read-only, list entries and selection, menu tick. A container passes its
    // enabled and visible state on to the controls inside it.
    void Apply(const Control& control);
    // True while Apply runs: notifications are then echoes, not user actions.
    bool Applying() const { return applying_ > 0; }

    Control* Find(HWND control) const;
    // A child control id or a popup menu command id; null for anything else.
    Control* FindById(int id) const;
    // A WM_COMMAND the user caused in a modal form: the control's new state
    // goes into the model, and a click of a push button, a check box, an
    // option button or a new list pick reaches the form's handlers.
    void UserCommand(int id, int notification);
    // WM_HSCROLL of a track bar: its new position goes into the model.
    void UserScroll(HWND trackBar);
    // The control of a WM_COMMAND the user caused: null for unknown ids and
    // for the program's own changes coming back while Apply runs.
    Control* FromUser(int id) const { return Applying() ? nullptr : FindById(id); }

    // The popup menu of the form's menu entries (those with a menu parent), in
    // index order; null when the form has none. Owned here.
    HMENU PopupMenu() const { return menu_.get(); }
    // The picture a control shows (image, picture button); null when it has
    // none or the resource is missing.
    HICON Picture(const Control& control) const;
    // The mouse pointer a control asks for; null for the usual one.
    HCURSOR Cursor(HWND control) const;
    // Brush for WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC of a text box, in its back
    // colour (the colour is also set into dc); null for other controls.
    HBRUSH ControlColors(HWND control, HDC dc) const;

private:
    static constexpr std::size_t NoPosition = std::numeric_limits<std::size_t>::max();

    class ApplyingScope {
    public:
        explicit ApplyingScope(FormControls& owner) : owner_(owner) { ++owner_.applying_; }
        ~ApplyingScope() { --owner_.applying_; }
        ApplyingScope(const ApplyingScope&) = delete;
        ApplyingScope& operator=(const ApplyingScope&) = delete;

    private:
        FormControls& owner_;
    };

    static bool ShowsCaption(const Control& control);

    std::size_t PositionOf(const Control& control) const;
    bool IsInside(std::size_t position, std::size_t container) const;
    bool ShownEnabled(std::size_t position) const;
    bool ShownVisible(std::size_t position) const;
    RECT PixelRect(std::size_t position) const;
    int RightLimit(std::size_t position) const;
    void Create(HINSTANCE instance, HWND window, std::size_t position, bool startsGroup);
    void BuildMenu();
    void AddToolTips(HINSTANCE instance, HWND window);
    void ApplyAvailability(std::size_t position);
    void ApplyState(const Control& control, HWND window);
    void ApplyMenuItem(const Control& control);

    FormModel& form_;
    int twipsPerPixelX_;
    int twipsPerPixelY_;
    int applying_ = 0;
    std::vector<std::size_t> container_;  // position of each control's container; npos for the window
    ScopedFont regular_;
    ScopedFont bold_;
    std::vector<ScopedIcon> icons_;       // by position
    std::vector<ScopedBitmap> bitmaps_;   // by position: pictures of picture boxes
    ScopedMenu menu_;
    ScopedWindow toolTips_;
    std::vector<ScopedWindow> windows_;   // by position; destroyed before the fonts and icons they use
};

}  // namespace clavitone
