#include "sound/decoder_process_win32.h"

#include <algorithm>
#include <array>
#include <vector>

#include "sound/decode_reply.h"

namespace clavitone {

namespace {

constexpr wchar_t HelperFileName[] = L"ClavitoneDecoder.exe";
constexpr DWORD PipeBufferBytes = 1 << 16;
constexpr DWORD MaxTransfer = 1 << 20;
constexpr DWORD PollMs = 20;
constexpr UINT KilledExitCode = 1;

std::wstring ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.rfind(L'\\'));
}

// Memory, time, one process, no user interface, and gone with the job's last
// handle, which only Clavitone holds.
ScopedHandle LimitedJob()
{
    ScopedHandle job(CreateJobObjectW(nullptr, nullptr));
    if (!job)
        return {};
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_PROCESS_MEMORY |
                                              JOB_OBJECT_LIMIT_PROCESS_TIME | JOB_OBJECT_LIMIT_ACTIVE_PROCESS |
                                              JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    limits.BasicLimitInformation.PerProcessUserTimeLimit.QuadPart = HelperCpuLimitMs * 10'000;
    limits.BasicLimitInformation.ActiveProcessLimit = 1;
    limits.ProcessMemoryLimit = HelperMemoryLimit;
    if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits))
        return {};
    JOBOBJECT_BASIC_UI_RESTRICTIONS ui{};
    ui.UIRestrictionsClass = JOB_OBJECT_UILIMIT_DESKTOP | JOB_OBJECT_UILIMIT_DISPLAYSETTINGS |
                             JOB_OBJECT_UILIMIT_EXITWINDOWS | JOB_OBJECT_UILIMIT_GLOBALATOMS |
                             JOB_OBJECT_UILIMIT_HANDLES | JOB_OBJECT_UILIMIT_READCLIPBOARD |
                             JOB_OBJECT_UILIMIT_SYSTEMPARAMETERS | JOB_OBJECT_UILIMIT_WRITECLIPBOARD;
    SetInformationJobObject(job.get(), JobObjectBasicUIRestrictions, &ui, sizeof ui);
    return job;
}

// Our own token without its privileges, at low integrity: the helper can
// read, but write nothing of the user's. Null where Windows refuses.
ScopedHandle RestrictedToken()
{
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(),
                          TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY | TOKEN_ADJUST_DEFAULT, &own))
        return {};
    const ScopedHandle ownToken(own);
    HANDLE restricted = nullptr;
    if (!CreateRestrictedToken(own, DISABLE_MAX_PRIVILEGE, 0, nullptr, 0, nullptr, 0, nullptr, &restricted))
        return {};
    ScopedHandle token(restricted);
    SID_IDENTIFIER_AUTHORITY authority = SECURITY_MANDATORY_LABEL_AUTHORITY;
    PSID low = nullptr;
    if (!AllocateAndInitializeSid(&authority, 1, SECURITY_MANDATORY_LOW_RID, 0, 0, 0, 0, 0, 0, 0, &low))
        return {};
    TOKEN_MANDATORY_LABEL label{};
    label.Label.Attributes = SE_GROUP_INTEGRITY;
    label.Label.Sid = low;
    const bool lowered =
        SetTokenInformation(token.get(), TokenIntegrityLevel, &label, sizeof label + GetLengthSid(low));
    FreeSid(low);
    return lowered ? std::move(token) : ScopedHandle{};
}

// The two ends of a pipe; the helper's end inheritable, ours not.
bool MakePipe(ScopedHandle& read, ScopedHandle& write, bool helperReads)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, PipeBufferBytes))
        return false;
    read.reset(readEnd);
    write.reset(writeEnd);
    return SetHandleInformation(helperReads ? writeEnd : readEnd, HANDLE_FLAG_INHERIT, 0);
}

// Paints what needs painting, and nothing else: the user cannot start a
// second import or delete a scheme in the middle of this one.
void Repaint()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT))
        DispatchMessageW(&message);
}

}  // namespace

HelperProcessDecoder::HelperProcessDecoder() : helperPath_(ProgramFolder() + L"\\" + HelperFileName) {}

HelperProcessDecoder::~HelperProcessDecoder()
{
    Finish();
}

DecodeResult HelperProcessDecoder::Decode(std::span<const std::uint8_t> bytes)
{
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    if (!process_ && !Start())
        return Stopped();
    const auto header = RequestHeader(bytes.size());
    if (!Send(header) || !Send(bytes))
        return Stopped();

    const ULONGLONG deadline = GetTickCount64() + HelperReplyTimeoutMs;
    std::array<std::uint8_t, ReplyHeaderBytes> replyHeader{};
    if (!Receive(replyHeader.data(), replyHeader.size(), deadline))
        return Stopped();
    const auto shape = ReadReplyHeader(replyHeader);
    if (const auto* failure = std::get_if<DecodeFailure>(&shape))
        return *failure == DecodeFailure::DecoderStopped ? Stopped() : DecodeResult(*failure);
    const ReplyShape& sound = std::get<ReplyShape>(shape);

    PcmSound pcm{sound.sampleRate, sound.channels, {}};
    pcm.samples.reserve(sound.sampleCount);
    std::vector<std::uint8_t> chunk;
    for (std::size_t left = 2 * sound.sampleCount; left > 0;) {
        chunk.resize(std::min<std::size_t>(left, MaxTransfer));
        if (!Receive(chunk.data(), chunk.size(), deadline))
            return Stopped();
        const auto samples = ReplySamples(chunk);
        pcm.samples.insert(pcm.samples.end(), samples.begin(), samples.end());
        left -= chunk.size();
    }
    return CheckedSound(std::move(pcm));
}

void HelperProcessDecoder::Finish()
{
    // Closing its input ends the helper; closing the job ends it for sure.
    toHelper_.reset();
    fromHelper_.reset();
    if (process_)
        TerminateProcess(process_.get(), KilledExitCode);
    process_.reset();
    job_.reset();
}

bool HelperProcessDecoder::Start()
{
    job_ = LimitedJob();
    ScopedHandle helperIn, helperOut;
    if (!job_ || !MakePipe(helperIn, toHelper_, true) || !MakePipe(fromHelper_, helperOut, false))
        return false;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = helperIn.get();
    startup.hStdOutput = helperOut.get();
    std::wstring commandLine = L"\"" + helperPath_ + L"\"";
    // Suspended until it is in the job: it never runs a moment without its limits.
    const DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW;
    PROCESS_INFORMATION created{};
    const ScopedHandle token = RestrictedToken();
    const bool started =
        (token && CreateProcessAsUserW(token.get(), helperPath_.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                       flags, nullptr, nullptr, &startup, &created)) ||
        CreateProcessW(helperPath_.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                       &startup, &created);
    if (!started)
        return false;
    process_.reset(created.hProcess);
    const ScopedHandle thread(created.hThread);
    if (!AssignProcessToJobObject(job_.get(), process_.get()) || ResumeThread(thread.get()) == static_cast<DWORD>(-1)) {
        Finish();
        return false;
    }
    return true;
}

DecodeResult HelperProcessDecoder::Stopped()
{
    Finish();
    return DecodeFailure::DecoderStopped;
}

// The helper reads each request whole before it decodes, so this write only
// waits for our own code on the other side; a helper that died breaks the pipe.
bool HelperProcessDecoder::Send(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MaxTransfer));
        if (!WriteFile(toHelper_.get(), bytes.data(), ask, &written, nullptr) || written == 0)
            return false;
        bytes = bytes.subspan(written);
    }
    return true;
}

// Reads exactly size bytes, or fails when the helper ends, breaks the pipe or
// lets the deadline pass.
bool HelperProcessDecoder::Receive(std::uint8_t* data, std::size_t size, ULONGLONG deadline)
{
    while (size > 0) {
        DWORD waiting = 0;
        if (!PeekNamedPipe(fromHelper_.get(), nullptr, 0, nullptr, &waiting, nullptr))
            return false;
        if (waiting > 0) {
            DWORD got = 0;
            const auto ask = static_cast<DWORD>(std::min<std::size_t>({size, waiting, MaxTransfer}));
            if (!ReadFile(fromHelper_.get(), data, ask, &got, nullptr) || got == 0)
                return false;
            data += got;
            size -= got;
            continue;
        }
        if (GetTickCount64() > deadline)
            return false;
        const HANDLE process = process_.get();
        if (MsgWaitForMultipleObjects(1, &process, FALSE, PollMs, QS_PAINT) == WAIT_OBJECT_0) {
            // Ended: what it wrote before is still in the pipe.
            if (!PeekNamedPipe(fromHelper_.get(), nullptr, 0, nullptr, &waiting, nullptr) || waiting == 0)
                return false;
        }
        Repaint();
    }
    return true;
}

}  // namespace clavitone
