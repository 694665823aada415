// The real frmPref window: created hidden at process start, it turns Windows
// messages into calls of frmPref's handlers and holds no decisions of its own.
#pragma once

#include <windows.h>

#include <memory>

#include "app/frm_pref.h"
#include "app/pref_events_win32.h"
#include "platform/scoped_win32.h"
#include "ui/control_model.h"
#include "ui/top_window_win32.h"

namespace clavitone {

class FormControls;

class PrefWindow {
public:
    PrefWindow(HINSTANCE instance, FormModel& form, frmPref& pref, int twipsPerPixelX, int twipsPerPixelY);
    ~PrefWindow();
    PrefWindow(const PrefWindow&) = delete;
    PrefWindow& operator=(const PrefWindow&) = delete;

    // The program's main loop; returns when the loop ends.
    int Run();

private:
    friend LRESULT CALLBACK OwnedWindowProcedure<PrefWindow>(HWND, UINT, WPARAM, LPARAM);
    void Attach(HWND window) { window_ = window; }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void MouseButton(UINT message, WPARAM wParam, LPARAM lParam);
    void ControlCommand(int id, int notification, HWND sender);

    FormModel& form_;
    frmPref& pref_;
    int twipsPerPixelX_;
    int twipsPerPixelY_;
    UINT taskbarCreated_;
    ScopedWindow owner_;
    HWND window_ = nullptr;
    std::unique_ptr<FormControls> controls_;
    PrefEvents events_;
};

}  // namespace clavitone
