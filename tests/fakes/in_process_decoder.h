// The helper process's work done in the test's own process, with the same
// checks on what comes back; or a helper that stops, on order.
#pragma once

#include "sound/audio_decoding.h"
#include "sound/decode_reply.h"

namespace clavitone::fakes {

class InProcessDecoder final : public AudioDecoder {
public:
    DecodeResult Decode(std::span<const std::uint8_t> bytes) override
    {
        ++decodes;
        if (stops)
            return DecodeFailure::DecoderStopped;
        return CheckedSound(DecodeAudio(bytes, mp3));
    }
    void Finish() override { ++finishes; }

    Mp3Decoder mp3 = nullptr;  // the helper's MP3 codec, stood in for
    bool stops = false;  // as a crashed, hung or limited helper
    int decodes = 0;
    int finishes = 0;
};

}  // namespace clavitone::fakes
