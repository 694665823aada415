#include "sound/waveout_output_win32.h"

#include "sound/render_thread_win32.h"

namespace clavitone {

namespace {

constexpr int Channels = 2;
// Each half of the double buffer: short enough for a prompt key, long
// enough that the refill thread is never late.
constexpr int BufferMilliseconds = 20;
constexpr DWORD StallMilliseconds = 2000;

// "<call> failed (MMRESULT 2)": what the status line and the log show.
bool Check(MMRESULT result, const char* call, std::string* failure)
{
    if (result != MMSYSERR_NOERROR && failure)
        *failure = std::string(call) + " failed (MMRESULT " + std::to_string(result) + ")";
    return result == MMSYSERR_NOERROR;
}

}  // namespace

std::unique_ptr<WaveOutOutput> WaveOutOutput::Start(RenderSource& source, std::atomic<bool>& lost, std::string& failure)
{
    std::unique_ptr<WaveOutOutput> output(new WaveOutOutput(source, lost));
    if (!output->done_ || !output->stop_) {
        failure = "CreateEvent failed (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    if (!output->Open(failure))
        return nullptr;
    output->thread_.reset(CreateThread(nullptr, 0, ThreadMain, output.get(), 0, nullptr));
    if (!output->thread_)
        failure = "CreateThread failed (error " + std::to_string(GetLastError()) + ")";
    return output->thread_ ? std::move(output) : nullptr;
}

bool WaveOutOutput::Open(std::string& failure)
{
    for (const int rate : {48000, 44100}) {
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = Channels;
        format.nSamplesPerSec = static_cast<DWORD>(rate);
        format.wBitsPerSample = 16;
        format.nBlockAlign = Channels * 2;
        format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
        if (Check(waveOutOpen(&wave_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done_.get()), 0,
                              CALLBACK_EVENT),
                  "waveOutOpen", &failure)) {
            format_ = {rate, Channels, BufferMilliseconds, BufferCount * BufferMilliseconds};
            break;
        }
        wave_ = nullptr;
    }
    if (!wave_)
        return false;
    const auto frames = static_cast<std::size_t>(format_.sampleRate * BufferMilliseconds / 1000);
    scratch_.resize(frames * Channels);
    for (int i = 0; i < BufferCount; ++i) {
        buffers_[i].assign(frames * Channels, 0);
        headers_[i].lpData = reinterpret_cast<LPSTR>(buffers_[i].data());
        headers_[i].dwBufferLength = static_cast<DWORD>(frames * Channels * sizeof(std::int16_t));
        if (!Check(waveOutPrepareHeader(wave_, &headers_[i], sizeof(WAVEHDR)), "waveOutPrepareHeader", &failure))
            return false;
    }
    for (WAVEHDR& header : headers_)
        if (!Fill(header, &failure))
            return false;
    return true;
}

bool WaveOutOutput::Fill(WAVEHDR& header, std::string* failure)
{
    const int frames = static_cast<int>(header.dwBufferLength / (Channels * sizeof(std::int16_t)));
    RenderSixteenBit(source_, scratch_, reinterpret_cast<std::int16_t*>(header.lpData), frames, Channels);
    return Check(waveOutWrite(wave_, &header, sizeof(WAVEHDR)), "waveOutWrite", failure);
}

WaveOutOutput::~WaveOutOutput()
{
    if (thread_) {
        SetEvent(stop_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
    }
    if (!wave_)
        return;
    waveOutReset(wave_);
    for (WAVEHDR& header : headers_)
        if (header.dwFlags & WHDR_PREPARED)
            waveOutUnprepareHeader(wave_, &header, sizeof(WAVEHDR));
    waveOutClose(wave_);
}

DWORD WINAPI WaveOutOutput::ThreadMain(void* self)
{
    static_cast<WaveOutOutput*>(self)->Run();
    return 0;
}

void WaveOutOutput::Run()
{
    const AudioThreadPriority priority;
    const HANDLE waits[] = {stop_.get(), done_.get()};
    for (;;) {
        const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, StallMilliseconds);
        if (woke == WAIT_OBJECT_0)
            return;
        if (woke != WAIT_OBJECT_0 + 1) {
            lost_ = true;
            return;
        }
        for (WAVEHDR& header : headers_)
            if ((header.dwFlags & WHDR_DONE) && !Fill(header)) {
                lost_ = true;
                return;
            }
    }
}

}  // namespace clavitone
