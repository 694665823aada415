// The system's open-file dialog, run modally over its owner.
#pragma once

#include "platform/platform.h"

namespace clavitone {

class WinFileDialog final : public FileDialog {
public:
    int GetOpenFileNameA(OpenFileRequest& request) override;
};

}  // namespace clavitone
