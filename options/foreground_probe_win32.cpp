#include "options/foreground_probe_win32.h"

#include <objbase.h>
#include <oleauto.h>

#include <atomic>
#include <cctype>
#include <string>

#include "platform/com_win32.h"
#include "platform/scoped_win32.h"

namespace clavitone {

namespace {

// UI Automation's client interfaces, declared here down to the methods the
// program calls: the headers of the MinGW toolchain lack them. The unnamed
// slots keep each called method at its place in the interface.
constexpr long IsPasswordProperty = 30019;  // UIA_IsPasswordPropertyId
constexpr long ProcessIdProperty = 30002;   // UIA_ProcessIdPropertyId

constexpr CLSID AutomationClass{0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
constexpr IID AutomationInterface{0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
constexpr IID FocusHandlerInterface{0xc270f6b5, 0x5c69, 0x4290, {0x97, 0x45, 0x7a, 0x7f, 0x97, 0x16, 0x94, 0x68}};

struct AutomationElement : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Slot1() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot2() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot6() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot7() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(long property, VARIANT* value) = 0;
};

struct FocusChangedHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE HandleFocusChangedEvent(AutomationElement* sender) = 0;
};

struct Automation : IUnknown {
    // CompareElements to RemoveStructureChangedEventHandler: 36 methods not called.
#define CLAVITONE_UNUSED_SLOT(n) virtual HRESULT STDMETHODCALLTYPE Unused##n() = 0;
    CLAVITONE_UNUSED_SLOT(1) CLAVITONE_UNUSED_SLOT(2) CLAVITONE_UNUSED_SLOT(3) CLAVITONE_UNUSED_SLOT(4)
    CLAVITONE_UNUSED_SLOT(5) CLAVITONE_UNUSED_SLOT(6) CLAVITONE_UNUSED_SLOT(7) CLAVITONE_UNUSED_SLOT(8)
    CLAVITONE_UNUSED_SLOT(9) CLAVITONE_UNUSED_SLOT(10) CLAVITONE_UNUSED_SLOT(11) CLAVITONE_UNUSED_SLOT(12)
    CLAVITONE_UNUSED_SLOT(13) CLAVITONE_UNUSED_SLOT(14) CLAVITONE_UNUSED_SLOT(15) CLAVITONE_UNUSED_SLOT(16)
    CLAVITONE_UNUSED_SLOT(17) CLAVITONE_UNUSED_SLOT(18) CLAVITONE_UNUSED_SLOT(19) CLAVITONE_UNUSED_SLOT(20)
    CLAVITONE_UNUSED_SLOT(21) CLAVITONE_UNUSED_SLOT(22) CLAVITONE_UNUSED_SLOT(23) CLAVITONE_UNUSED_SLOT(24)
    CLAVITONE_UNUSED_SLOT(25) CLAVITONE_UNUSED_SLOT(26) CLAVITONE_UNUSED_SLOT(27) CLAVITONE_UNUSED_SLOT(28)
    CLAVITONE_UNUSED_SLOT(29) CLAVITONE_UNUSED_SLOT(30) CLAVITONE_UNUSED_SLOT(31) CLAVITONE_UNUSED_SLOT(32)
    CLAVITONE_UNUSED_SLOT(33) CLAVITONE_UNUSED_SLOT(34) CLAVITONE_UNUSED_SLOT(35) CLAVITONE_UNUSED_SLOT(36)
#undef CLAVITONE_UNUSED_SLOT
    virtual HRESULT STDMETHODCALLTYPE AddFocusChangedEventHandler(IUnknown* cacheRequest,
                                                                  FocusChangedHandler* handler) = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveFocusChangedEventHandler(FocusChangedHandler* handler) = 0;
};

bool ContainsEdit(const char* className)
{
    std::string lower(className);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("edit") != std::string::npos;
}

// Whether UI Automation's class is registered at all: where it is not (Wine,
// for one) no watching thread is started, since even a thread that ends at
// once leaves its stack behind there.
bool AutomationRegistered()
{
    wchar_t clsid[40] = {};
    if (!StringFromGUID2(AutomationClass, clsid, 40))
        return false;
    const std::wstring server = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
    ScopedKey key;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, server.c_str(), 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS;
}

}  // namespace

// UI Automation's focus events, on a thread of their own in the
// multi-threaded apartment; Windows calls the handler on threads of its own.
// The thread sets the handler up, waits to be told to stop and takes it down.
class AutomationFocusWatch final : public FocusChangedHandler {
public:
    explicit AutomationFocusWatch(QuietListener& listener)
        : listener_(listener), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        thread_.reset(CreateThread(nullptr, 0, &AutomationFocusWatch::Run, this, 0, nullptr));
    }
    ~AutomationFocusWatch()
    {
        SetEvent(stop_.get());
        if (thread_)
            WaitForSingleObject(thread_.get(), INFINITE);
    }
    AutomationFocusWatch(const AutomationFocusWatch&) = delete;
    AutomationFocusWatch& operator=(const AutomationFocusWatch&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, FocusHandlerInterface)) {
            *object = static_cast<FocusChangedHandler*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Owned by the probe, not by its references.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE HandleFocusChangedEvent(AutomationElement* sender) override
    {
        if (!sender || !active_.load())
            return S_OK;
        ProcessId passwordProcess = 0;
        VARIANT password;
        VariantInit(&password);
        if (SUCCEEDED(sender->GetCurrentPropertyValue(IsPasswordProperty, &password)) && password.vt == VT_BOOL &&
            password.boolVal != VARIANT_FALSE) {
            VARIANT process;
            VariantInit(&process);
            if (SUCCEEDED(sender->GetCurrentPropertyValue(ProcessIdProperty, &process)) && process.vt == VT_I4)
                passwordProcess = static_cast<ProcessId>(process.lVal);
            VariantClear(&process);
        }
        VariantClear(&password);
        if (active_.load())
            listener_.AutomationFocusChanged(passwordProcess);
        return S_OK;
    }

private:
    static DWORD WINAPI Run(void* data)
    {
        static_cast<AutomationFocusWatch*>(data)->Watch();
        return 0;
    }

    // Where UI Automation is missing or refuses, nothing is watched and the
    // Edit check alone applies.
    void Watch()
    {
        const ComApartment apartment;
        if (!apartment)
            return;
        ComPtr<Automation> automation;
        if (FAILED(CoCreateInstance(AutomationClass, nullptr, CLSCTX_INPROC_SERVER, AutomationInterface,
                                    automation.put_void())) ||
            !automation || FAILED(automation->AddFocusChangedEventHandler(nullptr, this)))
            return;
        WaitForSingleObject(stop_.get(), INFINITE);
        active_ = false;
        automation->RemoveFocusChangedEventHandler(this);
    }

    QuietListener& listener_;
    std::atomic<bool> active_{true};
    ScopedHandle stop_;
    ScopedHandle thread_;
};

WinForegroundProbe* WinForegroundProbe::watching_ = nullptr;

WinForegroundProbe::WinForegroundProbe() = default;

WinForegroundProbe::~WinForegroundProbe()
{
    StopWatching();
}

WindowHandle WinForegroundProbe::GetForegroundWindow()
{
    return reinterpret_cast<WindowHandle>(::GetForegroundWindow());
}

ProcessId WinForegroundProbe::WindowProcess(WindowHandle window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &process);
    return process;
}

std::optional<std::string> WinForegroundProbe::ProcessImageName(ProcessId process)
{
    const ScopedHandle handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    if (!handle)
        return std::nullopt;
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof path;
    if (!QueryFullProcessImageNameA(handle.get(), 0, path, &size))
        return std::nullopt;
    return std::string(path, size);
}

WindowHandle WinForegroundProbe::FocusedWindow(WindowHandle foreground)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(reinterpret_cast<HWND>(foreground), nullptr);
    if (!thread || !GetGUIThreadInfo(thread, &info))
        return 0;
    return reinterpret_cast<WindowHandle>(info.hwndFocus);
}

// The standard Edit and the many that are made from it under another class name.
bool WinForegroundProbe::IsPasswordEdit(WindowHandle window)
{
    HWND control = reinterpret_cast<HWND>(window);
    if ((GetWindowLongA(control, GWL_STYLE) & ES_PASSWORD) == 0)
        return false;
    char className[64] = {};
    return GetClassNameA(control, className, sizeof className) > 0 && ContainsEdit(className);
}

void WinForegroundProbe::Watch(QuietListener* listener, bool passwords)
{
    StopWatching();
    if (!listener)
        return;
    listener_ = listener;
    watching_ = this;
    foregroundHook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &WindowEvent, 0, 0,
                                      WINEVENT_OUTOFCONTEXT);
    if (!passwords)
        return;
    focusHook_ = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &WindowEvent, 0, 0,
                                 WINEVENT_OUTOFCONTEXT);
    if (AutomationRegistered())
        automation_ = std::make_unique<AutomationFocusWatch>(*listener);
}

void WinForegroundProbe::StopWatching()
{
    automation_.reset();
    for (HWINEVENTHOOK* hook : {&foregroundHook_, &focusHook_}) {
        if (*hook)
            UnhookWinEvent(*hook);
        *hook = nullptr;
    }
    listener_ = nullptr;
    if (watching_ == this)
        watching_ = nullptr;
}

void CALLBACK WinForegroundProbe::WindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD)
{
    if (!watching_ || !watching_->listener_)
        return;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const bool fromOtherProgram = process != 0 && process != GetCurrentProcessId();
    if (event == EVENT_SYSTEM_FOREGROUND)
        watching_->listener_->ForegroundChanged(fromOtherProgram);
    else
        watching_->listener_->FocusChanged(fromOtherProgram);
}

}  // namespace clavitone
