// ClavitoneDecoder.exe: decodes a sound pack's audio for Clavitone, which
// never parses such files in the process that holds the keyboard hook. It
// reads requests on its standard input and writes the replies on its
// standard output (sound/decode_reply.h), one file at a time, until the
// input ends. Clavitone starts it in a job object with memory and time
// limits; whatever a hostile file does here ends this process alone.
#include <windows.h>

#include <algorithm>
#include <array>
#include <exception>

#include "decoder/mp3_decoder_win32.h"
#include "sound/audio_decoding.h"
#include "sound/decode_reply.h"

namespace {

using namespace clavitone;

constexpr DWORD MaxTransfer = 1 << 20;
constexpr UINT FaultExitCode = 3;

[[noreturn]] void EndAtOnce()
{
    TerminateProcess(GetCurrentProcess(), FaultExitCode);
    for (;;) {
    }
}

// A fault ends the process quietly: no error box, no debugger, nothing the
// user has to close.
LONG WINAPI EndOnFault(EXCEPTION_POINTERS*)
{
    EndAtOnce();
}

bool ReadAll(HANDLE in, std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        DWORD got = 0;
        const auto ask = static_cast<DWORD>(std::min<std::size_t>(size, MaxTransfer));
        if (!ReadFile(in, data, ask, &got, nullptr) || got == 0)
            return false;
        data += got;
        size -= got;
    }
    return true;
}

bool WriteAll(HANDLE out, const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const auto ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, MaxTransfer));
        if (!WriteFile(out, bytes.data() + done, ask, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// A decode that runs out of memory says so like any file too long to read.
DecodeResult DecodeOrRefuse(std::span<const std::uint8_t> bytes)
{
    try {
        return DecodeAudio(bytes, DecodeMp3);
    } catch (const std::bad_alloc&) {
        return DecodeFailure::Damaged;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndOnFault);
    std::set_terminate(EndAtOnce);

    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    for (;;) {
        std::array<std::uint8_t, RequestHeaderBytes> header{};
        if (!ReadAll(in, header.data(), header.size()))
            return 0;  // Clavitone is done
        const auto length = RequestLength(header);
        if (!length)
            return 1;
        std::vector<std::uint8_t> bytes(*length);
        if (!ReadAll(in, bytes.data(), bytes.size()) || !WriteAll(out, EncodeReply(DecodeOrRefuse(bytes))))
            return 1;
    }
}
