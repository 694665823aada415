// libFuzzer target: Clavitone's side of the decoding helper's pipe. Whatever
// a helper taken over by a hostile file writes back, Clavitone reads the
// reply, checks the sound, cuts a slice of it and writes it as a WAV, and
// none of that may fault: this is the code that runs in the process holding
// the keyboard hook. Run with tools/fuzz_decoder.sh <seconds> reply.
#include <cstddef>
#include <cstdint>
#include <span>

#include "schemes/pack_audio.h"
#include "sound/decode_reply.h"
#include "sound/wav_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace clavitone;
    // The first 16 bytes choose a slice; the rest is the reply.
    if (size < 16 + ReplyHeaderBytes)
        return 0;
    const auto number = [data](std::size_t at) {
        double value = 0;
        for (std::size_t i = 0; i < 8; ++i)
            value = value * 256 + data[at + i];
        return value / 1e9;
    };
    const PackSlice slice{number(0), number(8)};
    const std::span<const std::uint8_t> reply(data + 16, size - 16);

    const auto shape = ReadReplyHeader(reply.first<ReplyHeaderBytes>());
    const auto* sound = std::get_if<ReplyShape>(&shape);
    if (!sound)
        return 0;
    const auto body = reply.subspan(ReplyHeaderBytes);
    const std::size_t bytes = std::min(body.size(), 2 * sound->sampleCount);
    const DecodeResult checked =
        CheckedSound(PcmSound{sound->sampleRate, sound->channels, ReplySamples(body.first(bytes))});
    const auto* pcm = std::get_if<PcmSound>(&checked);
    if (!pcm)
        return 0;
    if (const auto piece = CutSlice(*pcm, 0, slice)) {
        const auto samples = std::span(pcm->samples).subspan(piece->first, piece->count);
        (void)WavFileBytes(pcm->sampleRate, pcm->channels, samples);
    }
    return 0;
}
