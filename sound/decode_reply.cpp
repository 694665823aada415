#include "sound/decode_reply.h"

namespace clavitone {

namespace {

constexpr std::uint32_t ResultSound = 0;

void PutU32(std::uint8_t* out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetU32(const std::uint8_t* in)
{
    return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
           static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}

bool IsFailure(std::uint32_t result)
{
    return result >= static_cast<std::uint32_t>(DecodeFailure::UnknownFormat) &&
           result <= static_cast<std::uint32_t>(DecodeFailure::DecoderStopped);
}

// Every channel of a frame averaged into one.
PcmSound MixedDown(const PcmSound& sound)
{
    const auto channels = static_cast<std::size_t>(sound.channels);
    PcmSound mono{sound.sampleRate, 1, {}};
    mono.samples.reserve(sound.samples.size() / channels);
    for (std::size_t frame = 0; frame + channels <= sound.samples.size(); frame += channels) {
        std::int32_t sum = 0;
        for (std::size_t c = 0; c < channels; ++c)
            sum += sound.samples[frame + c];
        mono.samples.push_back(static_cast<std::int16_t>(sum / static_cast<std::int32_t>(channels)));
    }
    return mono;
}

}  // namespace

std::array<std::uint8_t, RequestHeaderBytes> RequestHeader(std::size_t byteCount)
{
    std::array<std::uint8_t, RequestHeaderBytes> header{};
    PutU32(header.data(), static_cast<std::uint32_t>(byteCount));
    return header;
}

std::optional<std::size_t> RequestLength(std::span<const std::uint8_t, RequestHeaderBytes> header)
{
    const std::uint32_t length = GetU32(header.data());
    if (length > MaxAudioFileBytes)
        return std::nullopt;
    return length;
}

std::vector<std::uint8_t> EncodeReply(const DecodeResult& result)
{
    std::vector<std::uint8_t> reply(ReplyHeaderBytes);
    if (const auto* failure = std::get_if<DecodeFailure>(&result)) {
        PutU32(reply.data(), static_cast<std::uint32_t>(*failure));
        return reply;
    }
    const PcmSound& sound = std::get<PcmSound>(result);
    PutU32(reply.data(), ResultSound);
    PutU32(reply.data() + 4, static_cast<std::uint32_t>(sound.sampleRate));
    PutU32(reply.data() + 8, static_cast<std::uint32_t>(sound.channels));
    PutU32(reply.data() + 12, static_cast<std::uint32_t>(sound.samples.size()));
    reply.reserve(ReplyHeaderBytes + 2 * sound.samples.size());
    for (const std::int16_t sample : sound.samples) {
        const auto bits = static_cast<std::uint16_t>(sample);
        reply.push_back(static_cast<std::uint8_t>(bits));
        reply.push_back(static_cast<std::uint8_t>(bits >> 8));
    }
    return reply;
}

std::variant<ReplyShape, DecodeFailure> ReadReplyHeader(std::span<const std::uint8_t, ReplyHeaderBytes> header)
{
    const std::uint32_t result = GetU32(header.data());
    if (result != ResultSound)
        return IsFailure(result) ? static_cast<DecodeFailure>(result) : DecodeFailure::DecoderStopped;
    const std::uint32_t rate = GetU32(header.data() + 4);
    const std::uint32_t channels = GetU32(header.data() + 8);
    const std::uint32_t count = GetU32(header.data() + 12);
    if (rate == 0 || rate > 0x7FFFFFFF || channels == 0 || channels > 0x7FFFFFFF || count == 0 ||
        count > MaxDecodedSamples || count % channels != 0)
        return DecodeFailure::DecoderStopped;
    return ReplyShape{static_cast<int>(rate), static_cast<int>(channels), count};
}

std::vector<std::int16_t> ReplySamples(std::span<const std::uint8_t> bytes)
{
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8));
    return samples;
}

DecodeResult CheckedSound(DecodeResult decoded)
{
    auto* sound = std::get_if<PcmSound>(&decoded);
    if (!sound)
        return decoded;
    if (sound->sampleRate < MinSoundRate || sound->sampleRate > MaxSoundRate || sound->channels < 1 ||
        sound->channels > MaxDecodedChannels)
        return DecodeFailure::Unplayable;
    if (sound->samples.empty() || sound->samples.size() > MaxDecodedSamples ||
        sound->samples.size() % static_cast<std::size_t>(sound->channels) != 0)
        return DecodeFailure::Damaged;
    if (sound->channels > 2)
        return MixedDown(*sound);
    return decoded;
}

}  // namespace clavitone
