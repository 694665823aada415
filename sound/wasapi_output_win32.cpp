#include "sound/wasapi_output_win32.h"

#include <audioclient.h>
#include <mmdeviceapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/com_win32.h"
#include "sound/render_thread_win32.h"

namespace clavitone {

namespace {

// A stream that stops asking for data this long (as after the system slept) counts as lost.
constexpr DWORD StallMilliseconds = 2000;
// Kept queued ahead of the device, in granted periods: a key sounds after at
// most this much, however large a buffer the system hands out. One would
// leave no slack for a render thread woken a little late.
constexpr UINT32 PeriodsAhead = 2;
constexpr WORD FormatFloat = 3;  // WAVE_FORMAT_IEEE_FLOAT
// KSDATAFORMAT_SUBTYPE_IEEE_FLOAT
constexpr GUID SubtypeFloat = {0x00000003, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr GUID MMDeviceEnumeratorClass = {0xbcde0395, 0xe52f, 0x467c, {0x8e, 0x3d, 0xc4, 0x57, 0x92, 0x91, 0x69, 0x2e}};

// The mix format is float almost everywhere; 16-bit integer is the other one we fill.
std::optional<bool> IsFloatFormat(const WAVEFORMATEX& format)
{
    if (format.wFormatTag == WAVE_FORMAT_EXTENSIBLE && format.cbSize >= 22) {
        const auto& extensible = reinterpret_cast<const WAVEFORMATEXTENSIBLE&>(format);
        if (IsEqualGUID(extensible.SubFormat, SubtypeFloat) && format.wBitsPerSample == 32)
            return true;
        return format.wBitsPerSample == 16 ? std::optional<bool>(false) : std::nullopt;
    }
    if (format.wFormatTag == FormatFloat && format.wBitsPerSample == 32)
        return true;
    if (format.wFormatTag == WAVE_FORMAT_PCM && format.wBitsPerSample == 16)
        return false;
    return std::nullopt;
}

// Tells the render thread that the default output changed, so that the
// next key opens the new one. It lives on the render thread's stack.
class DeviceWatcher final : public IMMNotificationClient {
public:
    explicit DeviceWatcher(std::atomic<bool>& lost) : lost_(lost) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IMMNotificationClient))) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) override
    {
        if (flow == eRender && role == eConsole)
            lost_ = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override { return S_OK; }

private:
    std::atomic<bool>& lost_;
};

// "<call> failed (0x88890008)": what the status line and the log show.
std::string Failed(const char* call, HRESULT result)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    return std::string(call) + " failed (" + code + ")";
}

}  // namespace

Result<std::unique_ptr<WasapiOutput>> WasapiOutput::Start(RenderSource& source, std::atomic<bool>& lost)
{
    std::unique_ptr<WasapiOutput> output(new WasapiOutput(source, lost));
    if (!output->stop_ || !output->ready_ || !output->key_)
        return Failure{Failed("CreateEvent", HRESULT_FROM_WIN32(GetLastError()))};
    output->thread_.reset(CreateThread(nullptr, 0, ThreadMain, output.get(), 0, nullptr));
    if (!output->thread_)
        return Failure{Failed("CreateThread", HRESULT_FROM_WIN32(GetLastError()))};
    WaitForSingleObject(output->ready_.get(), INFINITE);
    if (!output->started_)
        return Failure{output->failure_};
    return output;
}

WasapiOutput::~WasapiOutput()
{
    if (thread_) {
        SetEvent(stop_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
    }
}

DWORD WINAPI WasapiOutput::ThreadMain(void* self)
{
    static_cast<WasapiOutput*>(self)->Run();
    return 0;
}

// Everything COM lives and dies on this thread. A failure before the stream
// runs reports "not started"; one after it marks the stream lost and ends.
void WasapiOutput::Run()
{
    const ComApartment apartment;
    const AudioThreadPriority priority;
    ComPtr<IMMDeviceEnumerator> enumerator;
    ComPtr<IMMDevice> device;
    ComPtr<IAudioClient> client;
    ComPtr<IAudioRenderClient> render;
    CoTaskMemPtr<WAVEFORMATEX> mixFormat;
    DeviceWatcher watcher(lost_);
    const ScopedHandle wake(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    UINT32 bufferFrames = 0;
    std::optional<bool> floating;
    // Each step names itself when it fails, so that the user can learn why
    // keys take the classic call. The default period is kept: asking for a
    // smaller one would switch every program on the device to small buffers.
    auto step = [this](HRESULT result, const char* call) {
        if (FAILED(result))
            failure_ = Failed(call, result);
        return SUCCEEDED(result);
    };
    const bool opened =
        (wake ? true : step(HRESULT_FROM_WIN32(GetLastError()), "CreateEvent")) &&
        step(CoCreateInstance(MMDeviceEnumeratorClass, nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                              enumerator.put_void()),
             "CoCreateInstance(MMDeviceEnumerator)") &&
        step(enumerator->GetDefaultAudioEndpoint(eRender, eConsole, device.put()),
             "IMMDeviceEnumerator::GetDefaultAudioEndpoint") &&
        step(device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr, client.put_void()), "IMMDevice::Activate") &&
        step(client->GetMixFormat(mixFormat.put()), "IAudioClient::GetMixFormat") &&
        ((floating = IsFloatFormat(*mixFormat.get())) || step(AUDCLNT_E_UNSUPPORTED_FORMAT, "IAudioClient::GetMixFormat")) &&
        step(client->Initialize(AUDCLNT_SHAREMODE_SHARED, AUDCLNT_STREAMFLAGS_EVENTCALLBACK, 0, 0, mixFormat.get(),
                                nullptr),
             "IAudioClient::Initialize") &&
        step(client->SetEventHandle(wake.get()), "IAudioClient::SetEventHandle") &&
        step(client->GetBufferSize(&bufferFrames), "IAudioClient::GetBufferSize") &&
        step(client->GetService(__uuidof(IAudioRenderClient), render.put_void()), "IAudioClient::GetService") &&
        step(client->Start(), "IAudioClient::Start");
    const int channels = opened ? mixFormat.get()->nChannels : 0;
    const int rate = opened ? static_cast<int>(mixFormat.get()->nSamplesPerSec) : 0;
    REFERENCE_TIME period = 0;
    UINT32 ahead = bufferFrames;
    if (opened && SUCCEEDED(client->GetDevicePeriod(&period, nullptr)) && period > 0)
        ahead = std::min<UINT32>(bufferFrames, static_cast<UINT32>(PeriodsAhead * period * rate / 10'000'000));
    std::vector<float> scratch(opened && !*floating ? static_cast<std::size_t>(bufferFrames) * channels : 0);
    const bool watching = opened && SUCCEEDED(enumerator->RegisterEndpointNotificationCallback(&watcher));
    if (opened)
        format_ = {rate, channels, static_cast<int>((period + 5'000) / 10'000),
                   static_cast<int>(bufferFrames * 1000LL / rate)};
    started_ = opened;
    SetEvent(ready_.get());

    // A key wakes the thread as well as the device does: its sound is written
    // behind what is queued now, not a period later.
    // Keys do not count as signs of life: a device that stopped asking is lost.
    const HANDLE waits[] = {stop_.get(), wake.get(), key_.get()};
    DWORD lastAsked = GetTickCount();
    while (opened) {
        const DWORD woke = WaitForMultipleObjects(3, waits, FALSE, StallMilliseconds);
        if (woke == WAIT_OBJECT_0)
            break;
        if (woke == WAIT_OBJECT_0 + 1)
            lastAsked = GetTickCount();
        UINT32 padding = 0;
        BYTE* data = nullptr;
        if (woke == WAIT_TIMEOUT || woke == WAIT_FAILED || GetTickCount() - lastAsked > StallMilliseconds ||
            FAILED(client->GetCurrentPadding(&padding))) {
            lost_ = true;
            break;
        }
        // Between keys nothing is queued: silence written now would be played
        // before the next key's sound, so the device is left to run dry and
        // a key's sound goes straight to the front. The first write after
        // running dry fills the whole buffer: an audio system that finds a
        // stream short after an underrun may pad it with silence of its own
        // first (Wine's does, about 5 ms on average), and a full queue it
        // plays at once. A key in the next few periods then waits for the
        // queue to drain to two periods.
        if (padding >= ahead || source_.Silent())
            continue;
        const auto frames = static_cast<int>((padding == 0 ? bufferFrames : ahead) - padding);
        if (FAILED(render->GetBuffer(static_cast<UINT32>(frames), &data))) {
            lost_ = true;
            break;
        }
        if (*floating)
            source_.Render(reinterpret_cast<float*>(data), frames, channels);
        else
            RenderSixteenBit(source_, scratch, reinterpret_cast<std::int16_t*>(data), frames, channels);
        render->ReleaseBuffer(static_cast<UINT32>(frames), 0);
    }
    if (opened)
        client->Stop();
    if (watching)
        enumerator->UnregisterEndpointNotificationCallback(&watcher);
}

}  // namespace clavitone
