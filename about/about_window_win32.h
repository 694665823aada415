// The real frmAbout window: made the first time the tray menu asks for it,
// afterwards only shown and hidden. It turns Windows messages into calls of
// frmAbout's handlers and holds no decisions of its own.
#pragma once

#include <windows.h>

#include <memory>

#include "about/frm_about.h"
#include "platform/platform.h"
#include "platform/scoped_win32.h"
#include "ui/control_model.h"
#include "ui/top_window_win32.h"

namespace clavitone {

class FormControls;

class AboutWindow final : public WindowLoader {
public:
    AboutWindow(HINSTANCE instance, FormModel& form, frmAbout& about, int twipsPerPixelX, int twipsPerPixelY);
    ~AboutWindow() override;
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Creates the window, hidden and centred on the screen, unless it exists.
    WindowHandle Load() override;

private:
    friend LRESULT CALLBACK OwnedWindowProcedure<AboutWindow>(HWND, UINT, WPARAM, LPARAM);
    void Attach(HWND window) { window_ = window; }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Command(WPARAM wParam, LPARAM lParam);
    void Close();

    HINSTANCE instance_;
    FormModel& form_;
    frmAbout& about_;
    int twipsPerPixelX_;
    int twipsPerPixelY_;
    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
    ScopedWindow owned_;
    std::unique_ptr<FormControls> controls_;  // destroyed before the window it lives in
};

}  // namespace clavitone
