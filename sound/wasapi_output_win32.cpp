#include "sound/wasapi_output_win32.h"

#include <audioclient.h>
#include <mmdeviceapi.h>

#include <algorithm>
#include <vector>

#include "sound/com_ptr_win32.h"
#include "sound/render_thread_win32.h"

namespace clavitone {

namespace {

// A stream that stops asking for data this long (as after the system slept) counts as lost.
constexpr DWORD StallMilliseconds = 2000;
// Kept queued ahead of the device, in periods: a key sounds after this much
// more, however large a buffer the system hands out.
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

class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    ~ComApartment()
    {
        if (ok_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool ok_;
};

// The smallest period the system offers where it offers a choice (Windows
// 10 and later), else the default period of the classic interface.
bool Initialize(IAudioClient& client, const WAVEFORMATEX& format)
{
    ComPtr<IAudioClient3> client3;
    if (SUCCEEDED(client.QueryInterface(__uuidof(IAudioClient3), client3.put_void()))) {
        UINT32 defaultPeriod = 0, fundamental = 0, minPeriod = 0, maxPeriod = 0;
        if (SUCCEEDED(client3->GetSharedModeEnginePeriod(&format, &defaultPeriod, &fundamental, &minPeriod,
                                                         &maxPeriod)) &&
            SUCCEEDED(client3->InitializeSharedAudioStream(AUDCLNT_STREAMFLAGS_EVENTCALLBACK, minPeriod, &format,
                                                           nullptr)))
            return true;
    }
    return SUCCEEDED(client.Initialize(AUDCLNT_SHAREMODE_SHARED, AUDCLNT_STREAMFLAGS_EVENTCALLBACK, 0, 0, &format,
                                       nullptr));
}

}  // namespace

std::unique_ptr<WasapiOutput> WasapiOutput::Start(RenderSource& source, std::atomic<bool>& lost)
{
    std::unique_ptr<WasapiOutput> output(new WasapiOutput(source, lost));
    if (!output->stop_ || !output->ready_)
        return nullptr;
    output->thread_.reset(CreateThread(nullptr, 0, ThreadMain, output.get(), 0, nullptr));
    if (!output->thread_)
        return nullptr;
    WaitForSingleObject(output->ready_.get(), INFINITE);
    return output->started_ ? std::move(output) : nullptr;
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
    const bool opened =
        wake &&
        SUCCEEDED(CoCreateInstance(MMDeviceEnumeratorClass, nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                                   enumerator.put_void())) &&
        SUCCEEDED(enumerator->GetDefaultAudioEndpoint(eRender, eConsole, device.put())) &&
        SUCCEEDED(device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr, client.put_void())) &&
        SUCCEEDED(client->GetMixFormat(mixFormat.put())) && (floating = IsFloatFormat(*mixFormat.get())) &&
        Initialize(*client.get(), *mixFormat.get()) && SUCCEEDED(client->SetEventHandle(wake.get())) &&
        SUCCEEDED(client->GetBufferSize(&bufferFrames)) &&
        SUCCEEDED(client->GetService(__uuidof(IAudioRenderClient), render.put_void())) &&
        SUCCEEDED(client->Start());
    const int channels = opened ? mixFormat.get()->nChannels : 0;
    REFERENCE_TIME period = 0;
    UINT32 ahead = bufferFrames;
    if (opened && SUCCEEDED(client->GetDevicePeriod(&period, nullptr)) && period > 0)
        ahead = std::min<UINT32>(bufferFrames, static_cast<UINT32>(PeriodsAhead * period *
                                                                   mixFormat.get()->nSamplesPerSec / 10'000'000));
    std::vector<float> scratch(opened && !*floating ? static_cast<std::size_t>(bufferFrames) * channels : 0);
    const bool watching = opened && SUCCEEDED(enumerator->RegisterEndpointNotificationCallback(&watcher));
    if (opened)
        format_ = {static_cast<int>(mixFormat.get()->nSamplesPerSec), channels};
    started_ = opened;
    SetEvent(ready_.get());

    const HANDLE waits[] = {stop_.get(), wake.get()};
    while (opened) {
        const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, StallMilliseconds);
        if (woke == WAIT_OBJECT_0)
            break;
        UINT32 padding = 0;
        BYTE* data = nullptr;
        if (woke != WAIT_OBJECT_0 + 1 || FAILED(client->GetCurrentPadding(&padding))) {
            lost_ = true;
            break;
        }
        if (padding >= ahead)
            continue;
        const auto frames = static_cast<int>(ahead - padding);
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
