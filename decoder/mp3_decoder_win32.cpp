#include "decoder/mp3_decoder_win32.h"

#include <windows.h>
// Lean Windows headers leave out the multimedia declarations the codec needs.
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "sound/mp3_frames.h"

namespace clavitone {

namespace {

// The codec gets the stream a piece at a time, so a long file never needs a
// second copy of its compressed bytes.
constexpr DWORD ChunkBytes = 64 * 1024;
constexpr WORD BitsPerSample = 16;

struct StreamCloser {
    void operator()(HACMSTREAM stream) const { acmStreamClose(stream, 0); }
};
using AcmStream = std::unique_ptr<std::remove_pointer_t<HACMSTREAM>, StreamCloser>;

MPEGLAYER3WAVEFORMAT SourceFormat(const Mp3Stream& stream)
{
    MPEGLAYER3WAVEFORMAT format{};
    format.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    format.wfx.nChannels = static_cast<WORD>(stream.channels);
    format.wfx.nSamplesPerSec = static_cast<DWORD>(stream.sampleRate);
    format.wfx.nAvgBytesPerSec = static_cast<DWORD>(stream.bitrate / 8);
    format.wfx.nBlockAlign = 1;
    format.wfx.wBitsPerSample = 0;
    format.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    format.wID = MPEGLAYER3_ID_MPEG;
    format.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    format.nBlockSize = static_cast<WORD>(stream.frameBytes);
    format.nFramesPerBlock = 1;
    format.nCodecDelay = 0;
    return format;
}

WAVEFORMATEX TargetFormat(const Mp3Stream& stream)
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(stream.channels);
    format.nSamplesPerSec = static_cast<DWORD>(stream.sampleRate);
    format.wBitsPerSample = BitsPerSample;
    format.nBlockAlign = static_cast<WORD>(stream.channels * BitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    return format;
}

// One pass of the codec over in; what it decoded is appended to samples.
// False when the codec fails or the sound grows past the limit.
bool Convert(HACMSTREAM stream, std::vector<BYTE>& in, DWORD& inUsed, std::vector<BYTE>& out, DWORD flags,
             std::vector<std::int16_t>& samples, std::size_t maxSamples, DWORD& outUsed)
{
    ACMSTREAMHEADER header{};
    header.cbStruct = sizeof(header);
    header.pbSrc = in.data();
    header.cbSrcLength = static_cast<DWORD>(in.size());
    header.pbDst = out.data();
    header.cbDstLength = static_cast<DWORD>(out.size());
    if (acmStreamPrepareHeader(stream, &header, 0) != MMSYSERR_NOERROR)
        return false;
    const MMRESULT converted = acmStreamConvert(stream, &header, flags);
    // The codec's buffers must be let go before anything else fails.
    header.cbSrcLength = static_cast<DWORD>(in.size());
    header.cbDstLength = static_cast<DWORD>(out.size());
    acmStreamUnprepareHeader(stream, &header, 0);
    if (converted != MMSYSERR_NOERROR)
        return false;
    inUsed = header.cbSrcLengthUsed;
    outUsed = header.cbDstLengthUsed;
    const std::size_t count = outUsed / sizeof(std::int16_t);
    if (samples.size() + count > maxSamples)
        return false;
    const std::size_t at = samples.size();
    samples.resize(at + count);
    std::memcpy(samples.data() + at, out.data(), count * sizeof(std::int16_t));
    return true;
}

// The encoder's delay and padding go: a key's sound starts at once.
void Trim(PcmSound& sound, const Mp3Stream& stream)
{
    const auto channels = static_cast<std::size_t>(sound.channels);
    const std::size_t frames = sound.samples.size() / channels;
    const std::size_t lead = std::min(stream.leadingFrames, frames);
    const std::size_t trail = std::min(stream.trailingFrames, frames - lead);
    sound.samples.resize((frames - trail) * channels);
    sound.samples.erase(sound.samples.begin(), sound.samples.begin() + static_cast<std::ptrdiff_t>(lead * channels));
}

}  // namespace

std::optional<PcmSound> DecodeMp3(std::span<const std::uint8_t> bytes, std::size_t maxSamples)
{
    const auto found = FindMp3Stream(bytes);
    if (!found)
        return std::nullopt;
    const Mp3Stream& stream = *found;
    MPEGLAYER3WAVEFORMAT source = SourceFormat(stream);
    WAVEFORMATEX target = TargetFormat(stream);
    HACMSTREAM opened = nullptr;
    if (acmStreamOpen(&opened, nullptr, &source.wfx, &target, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) !=
        MMSYSERR_NOERROR)
        return std::nullopt;
    const AcmStream acm(opened);
    DWORD outBytes = 0;
    if (acmStreamSize(acm.get(), ChunkBytes, &outBytes, ACM_STREAMSIZEF_SOURCE) != MMSYSERR_NOERROR || outBytes == 0)
        return std::nullopt;
    // Room for the frames a chunk completes besides its own.
    std::vector<BYTE> out(outBytes + static_cast<std::size_t>(stream.samplesPerFrame) * target.nBlockAlign * 4);

    PcmSound sound;
    sound.sampleRate = stream.sampleRate;
    sound.channels = stream.channels;
    // Sized once from the frames there are (exact at a constant bitrate), so
    // that a long file is not copied over and over as it grows.
    const std::size_t frames = (stream.end - stream.firstFrame) / std::max<std::size_t>(stream.frameBytes, 1) + 1;
    sound.samples.reserve(std::min(maxSamples, frames * static_cast<std::size_t>(stream.samplesPerFrame * stream.channels)));
    std::vector<BYTE> in;
    std::size_t next = stream.firstFrame;
    DWORD flags = ACM_STREAMCONVERTF_BLOCKALIGN | ACM_STREAMCONVERTF_START;
    for (;;) {
        // Unused bytes stay at the front for the next pass.
        const std::size_t take = std::min<std::size_t>(ChunkBytes - std::min<std::size_t>(in.size(), ChunkBytes),
                                                       stream.end - next);
        in.insert(in.end(), bytes.begin() + static_cast<std::ptrdiff_t>(next),
                  bytes.begin() + static_cast<std::ptrdiff_t>(next + take));
        next += take;
        const bool last = next == stream.end;
        if (last)
            flags = (flags & ~ACM_STREAMCONVERTF_BLOCKALIGN) | ACM_STREAMCONVERTF_END;
        DWORD inUsed = 0;
        DWORD outUsed = 0;
        if (!Convert(acm.get(), in, inUsed, out, flags, sound.samples, maxSamples, outUsed))
            return std::nullopt;
        in.erase(in.begin(), in.begin() + std::min<std::size_t>(inUsed, in.size()));
        flags &= ~ACM_STREAMCONVERTF_START;
        if (inUsed == 0 && outUsed == 0 && (last || in.size() >= ChunkBytes))
            break;  // the rest is no sound the codec can use
        if (last && in.empty() && outUsed == 0)
            break;
    }
    if (sound.samples.empty())
        return std::nullopt;
    Trim(sound, stream);
    if (sound.samples.empty())
        return std::nullopt;
    return sound;
}

}  // namespace clavitone
