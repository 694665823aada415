// The Options window OptionsWindow as laid out for the user.
#pragma once

#include "ui/control_model.h"

namespace clavitone {

enum class OptionsControl {
    Engine,  // option buttons, indexed by the choices below
    VolumeLabel,
    Volume,
    VolumeValue,  // the slider's value, always in sight
    Stereo,
    HotkeyLabel,
    MuteHotkey,
    Passwords,
    ProgramsLabel,
    Programs,
    Add,
    Remove,
    Ok,
    Cancel,
    EngineStatus,
};

std::string_view ControlName(OptionsControl id);

// The choices of "SoundEngine", as the option buttons' indices.
inline constexpr int ClassicEngine = 0;
inline constexpr int MixedEngine = 1;

FormModel MakeOptionsForm();

}  // namespace clavitone
