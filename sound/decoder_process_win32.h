// The AudioDecoder that asks ClavitoneDecoder.exe, the helper in the
// program's folder: one helper per import, started in a job object that
// limits its memory and time, takes every user-interface right away and
// ends it with Clavitone; at low integrity with a restricted token where
// Windows grants one.
#pragma once

#include <windows.h>

#include <string>

#include "platform/scoped_win32.h"
#include "sound/audio_decoding.h"

namespace clavitone {

// Limits of the helper process.
inline constexpr SIZE_T HelperMemoryLimit = 1024u * 1024 * 1024;
inline constexpr LONGLONG HelperCpuLimitMs = 60'000;  // user time, the whole import
// A reply that has not come in whole after this long is a hang: the helper
// is ended. Windows' own limits above may not be enforced everywhere (Wine).
inline constexpr ULONGLONG HelperReplyTimeoutMs = 60'000;

class HelperProcessDecoder final : public AudioDecoder {
public:
    HelperProcessDecoder();
    ~HelperProcessDecoder() override;
    HelperProcessDecoder(const HelperProcessDecoder&) = delete;
    HelperProcessDecoder& operator=(const HelperProcessDecoder&) = delete;

    // While it waits, the windows repaint and the pointer shows that Clavitone is busy.
    DecodeResult Decode(std::span<const std::uint8_t> bytes) override;
    void Finish() override;

private:
    bool Start();
    DecodeResult Stopped();
    bool Send(std::span<const std::uint8_t> bytes);
    bool Receive(std::uint8_t* data, std::size_t size, ULONGLONG deadline);

    std::wstring helperPath_;
    ScopedHandle job_;
    ScopedHandle process_;
    ScopedHandle toHelper_;
    ScopedHandle fromHelper_;
};

}  // namespace clavitone
