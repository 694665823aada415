// Showing and hiding the program's windows, the modal loop of its dialogs,
// and the tray menu. A modal form is a fixed tool window owned by the window
// it was first shown over, so it has no icon and no taskbar button. The forms
// shown here must outlive the manager: their controls refer to them to the end.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/platform.h"
#include "ui/control_model.h"

namespace clavitone {

class WinWindowManager final : public WindowManager {
public:
    WinWindowManager(HINSTANCE instance, int twipsPerPixelX, int twipsPerPixelY);
    ~WinWindowManager() override;
    WinWindowManager(const WinWindowManager&) = delete;
    WinWindowManager& operator=(const WinWindowManager&) = delete;

    void ShowWindow(WindowHandle window, int command) override;
    void SetForegroundWindow(WindowHandle window) override;
    void PopupMenu(WindowHandle owner, WindowHandle menu, unsigned flags, int defaultEntry) override;
    void ShowModal(FormModel& form, WindowHandle owner) override;

private:
    class ModalForm;
    static LRESULT CALLBACK ModalFormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Notices the owner of the open pop-up menu being told to cancel its modes.
    static LRESULT CALLBACK WatchCancelMode(int code, WPARAM wParam, LPARAM lParam);
    static HWND menuOwner_;
    static bool menuCancelled_;

    HINSTANCE instance_;
    int twipsPerPixelX_;
    int twipsPerPixelY_;
    std::vector<std::unique_ptr<ModalForm>> forms_;
};

}  // namespace clavitone
