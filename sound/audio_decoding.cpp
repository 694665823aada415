#include "sound/audio_decoding.h"

#include <algorithm>
#include <string_view>

#include "sound/ogg_decoder.h"

namespace clavitone {

namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view tag)
{
    const auto same = [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; };
    return bytes.size() >= tag.size() && std::equal(tag.begin(), tag.end(), bytes.begin(), same);
}

// MPEG audio starts with an ID3 tag or a frame sync of eleven set bits.
bool IsMp3(std::span<const std::uint8_t> bytes)
{
    return StartsWith(bytes, "ID3") || (bytes.size() >= 2 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0);
}

}  // namespace

DecodeResult DecodeAudio(std::span<const std::uint8_t> bytes, Mp3Decoder mp3)
{
    std::optional<PcmSound> sound;
    if (StartsWith(bytes, "OggS"))
        sound = DecodeOgg(bytes, MaxDecodedSamples);
    else if (StartsWith(bytes, "RIFF"))
        sound = ReadWav(bytes);
    else if (IsMp3(bytes) && mp3)
        sound = mp3(bytes, MaxDecodedSamples);
    else if (IsMp3(bytes))
        return DecodeFailure::Mp3;
    else
        return DecodeFailure::UnknownFormat;
    if (!sound || sound->channels < 1 || sound->sampleRate < 1 || sound->samples.empty() ||
        sound->samples.size() > MaxDecodedSamples)
        return DecodeFailure::Damaged;
    return *std::move(sound);
}

}  // namespace clavitone
