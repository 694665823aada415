// Asked before a key-down plays: whether keys are to be quiet just now,
// without muting (a chosen program in front, the focus in a password field).
#pragma once

namespace clavitone {

class QuietGate {
public:
    virtual ~QuietGate() = default;
    // Called for every key-down that would sound: it must cost next to nothing.
    virtual bool QuietNow() = 0;
};

}  // namespace clavitone
