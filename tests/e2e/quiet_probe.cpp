// quiet_probe: the per-key cost of the quiet rules with Windows' own calls,
// under Wine. With another program's window in front, it asks "quiet now?"
// as a key-down does, many times over, for each combination of the rules,
// and prints the time per key. Wine reports no foreground or focus changes,
// so each check compares the foreground window and its focus, the calls
// printed alone for comparison. The foreground does not change meanwhile.
//   quiet_probe [keys]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "options/foreground_probe_win32.h"
#include "options/quiet_rules.h"

namespace {

double NanosecondsPerKey(clavitone::QuietRules& rules, long keys)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    volatile bool quiet = false;
    for (long i = 0; i < keys / 10; ++i)
        quiet = rules.QuietNow();
    QueryPerformanceCounter(&start);
    for (long i = 0; i < keys; ++i)
        quiet = rules.QuietNow();
    QueryPerformanceCounter(&end);
    (void)quiet;
    return 1e9 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) /
           static_cast<double>(keys);
}

}  // namespace

int main(int argc, char** argv)
{
    const long keys = argc > 1 ? std::atol(argv[1]) : 20000;
    if (keys <= 0)
        return 2;
    HWND front = GetForegroundWindow();
    char title[128] = {};
    GetWindowTextA(front, title, sizeof title);
    std::printf("in front: \"%s\"\n", title);

    const struct {
        const char* name;
        clavitone::QuietSettings settings;
    } cases[] = {
        {"no rules", {{}, false}},
        {"programs listed", {{"game.exe", "zoom.exe", "obs64.exe"}, false}},
        {"password fields (the default)", {{}, true}},
        {"both", {{"game.exe", "zoom.exe", "obs64.exe"}, true}},
    };
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (long i = 0; i < keys; ++i)
        front = GetForegroundWindow();
    QueryPerformanceCounter(&end);
    std::printf("GetForegroundWindow alone %39.0f ns\n",
                1e9 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) /
                    static_cast<double>(keys));

    clavitone::WinForegroundProbe probe;
    clavitone::QuietRules rules(probe);
    for (const auto& c : cases) {
        rules.Apply(c.settings);
        std::printf("quiet check per key, %-30s %8.0f ns\n", c.name, NanosecondsPerKey(rules, keys));
    }
    rules.Stop();
    return 0;
}
