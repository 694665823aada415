// libFuzzer target: the helper process's decode path, bytes in to reply out,
// and Clavitone's reading of that reply. Build and run with
// tools/fuzz_decoder.sh (clang, ASan and UBSan).
#include <cstddef>
#include <cstdint>
#include <span>

#include "sound/audio_decoding.h"
#include "sound/decode_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace clavitone;
    const std::span<const std::uint8_t> bytes(data, size);
    // The helper's side: whatever decodes goes into a reply.
    const std::vector<std::uint8_t> reply = EncodeReply(DecodeAudio(bytes));
    // Clavitone's side reads that reply, and also the raw input as a reply a
    // hostile helper might write.
    for (const std::span<const std::uint8_t> answer : {std::span<const std::uint8_t>(reply), bytes}) {
        if (answer.size() < ReplyHeaderBytes)
            continue;
        const auto shape = ReadReplyHeader(answer.first<ReplyHeaderBytes>());
        if (const auto* sound = std::get_if<ReplyShape>(&shape)) {
            const auto body = answer.subspan(ReplyHeaderBytes);
            if (body.size() / 2 >= sound->sampleCount)
                (void)CheckedSound(PcmSound{sound->sampleRate, sound->channels,
                                            ReplySamples(body.first(2 * sound->sampleCount))});
        }
    }
    return 0;
}
