// The About window's behaviour: "OK" hides it, the two link buttons hand
// their links to the shell. It keeps no state of its own.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "ui/control_model.h"

namespace clavitone {

class frmAbout {
public:
    // The form model is frmAbout's control tree (see MakeAboutForm).
    frmAbout(Shell& shell, WindowManager& windows, FormModel& form) : shell_(shell), windows_(windows), form_(form) {}

    void Command_Click(int Index);
    // Closing the window from its title bar only hides it: it stays loaded
    // like after "OK".
    void Form_QueryUnload(std::int16_t& Cancel);

private:
    void Hide();
    void Open(const std::string& link);

    Shell& shell_;
    WindowManager& windows_;
    FormModel& form_;
};

}  // namespace clavitone
