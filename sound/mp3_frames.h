// What Windows' MP3 codec must be told before it decodes: where the audio
// frames start and what the first one holds, past tags and the encoder's
// information frame, and how much the encoder padded the sound at both ends.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace clavitone {

struct Mp3Stream {
    std::size_t firstFrame = 0;  // offset of the first frame of sound
    std::size_t end = 0;         // where the frames end (before a trailing tag)
    int sampleRate = 0;
    int channels = 0;
    int bitrate = 0;             // bits a second, of the first frame
    std::size_t frameBytes = 0;  // of the first frame, without its padding byte
    int samplesPerFrame = 0;
    // Frames of silence the encoder and the decoder put before the sound, and
    // the encoder's padding after it, as its information frame tells; 0 without one.
    std::size_t leadingFrames = 0;
    std::size_t trailingFrames = 0;
};

// nullopt when the bytes hold no two consecutive MPEG Layer III frames.
std::optional<Mp3Stream> FindMp3Stream(std::span<const std::uint8_t> bytes);

}  // namespace clavitone
