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
Result<void> Check(MMRESULT result, const char* call)
{
    if (result != MMSYSERR_NOERROR)
        return Failure{std::string(call) + " failed (MMRESULT " + std::to_string(result) + ")"};
    return {};
}

}  // namespace

Result<std::unique_ptr<WaveOutOutput>> WaveOutOutput::Start(RenderSource& source, std::atomic<bool>& lost)
{
    std::unique_ptr<WaveOutOutput> output(new WaveOutOutput(source, lost));
    if (!output->done_ || !output->stop_)
        return Failure{"CreateEvent failed (error " + std::to_string(GetLastError()) + ")"};
    if (auto opened = output->Open(); !opened)
        return Failure{opened.Why()};
    output->thread_.reset(CreateThread(nullptr, 0, ThreadMain, output.get(), 0, nullptr));
    if (!output->thread_)
        return Failure{"CreateThread failed (error " + std::to_string(GetLastError()) + ")"};
    return output;
}

Result<void> WaveOutOutput::Open()
{
    Result<void> opened;
    for (const int rate : {48000, 44100}) {
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = Channels;
        format.nSamplesPerSec = static_cast<DWORD>(rate);
        format.wBitsPerSample = 16;
        format.nBlockAlign = Channels * 2;
        format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
        opened = Check(waveOutOpen(&wave_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done_.get()), 0,
                                   CALLBACK_EVENT),
                       "waveOutOpen");
        if (opened) {
            format_ = {rate, Channels, BufferMilliseconds, BufferCount * BufferMilliseconds};
            break;
        }
        wave_ = nullptr;
    }
    if (!opened)
        return opened;
    const auto frames = static_cast<std::size_t>(format_.sampleRate * BufferMilliseconds / 1000);
    scratch_.resize(frames * Channels);
    for (int i = 0; i < BufferCount; ++i) {
        buffers_[i].assign(frames * Channels, 0);
        headers_[i].lpData = reinterpret_cast<LPSTR>(buffers_[i].data());
        headers_[i].dwBufferLength = static_cast<DWORD>(frames * Channels * sizeof(std::int16_t));
        if (auto prepared = Check(waveOutPrepareHeader(wave_, &headers_[i], sizeof(WAVEHDR)), "waveOutPrepareHeader");
            !prepared)
            return prepared;
    }
    for (WAVEHDR& header : headers_)
        if (auto written = Fill(header); !written)
            return written;
    return {};
}

Result<void> WaveOutOutput::Fill(WAVEHDR& header)
{
    const int frames = static_cast<int>(header.dwBufferLength / (Channels * sizeof(std::int16_t)));
    RenderSixteenBit(source_, scratch_, reinterpret_cast<std::int16_t*>(header.lpData), frames, Channels);
    return Check(waveOutWrite(wave_, &header, sizeof(WAVEHDR)), "waveOutWrite");
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
