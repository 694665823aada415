// Message boxes through MessageBoxA.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace clavitone {

class WinMessageBoxes final : public MessageBoxes {
public:
    int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& title, unsigned style) override;
};

}  // namespace clavitone
