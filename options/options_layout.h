// The Options window OptionsWindow as laid out for the user.
#pragma once

#include "ui/control_model.h"

namespace clavitone {

// The choices of "SoundEngine", as the option buttons' indices.
inline constexpr int ClassicEngine = 0;
inline constexpr int MixedEngine = 1;

FormModel MakeOptionsForm();

}  // namespace clavitone
