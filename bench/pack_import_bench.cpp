// Importing a 2 MB single-file Ogg pack of 100 slices: the time of the whole
// import (read, decode, cut, 83 WAVs written, the scheme stored) and its peak
// memory. Written files are counted and dropped, so the figures are the
// import's own, not those of a file system held in memory.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <new>
#include <set>

#include "schemes/pack_import.h"
#include "tests/fakes/in_process_decoder.h"
#include "tests/fakes/memory_files.h"
#include "tests/fakes/memory_store.h"
#include "tests/fakes/recording_prefs_platform.h"
#include "tests/fakes/scripted_windows.h"
#include "ui/pref_layout.h"

namespace {

std::atomic<std::size_t> g_heapInUse{0};
std::atomic<std::size_t> g_heapPeak{0};

using namespace clavitone;

const std::string PackFolder = "D:\\pack";
constexpr int Slices = 100;
constexpr int SliceMs = 2100;  // 210 s of stereo noise: about 2 MB of Ogg

// The pack's files from memory; what the import writes is counted, not kept.
class DroppingFiles final : public FileSystem {
public:
    std::string AppDataFolder() override { return "C:\\AppData"; }
    FileReadResult ReadFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) override
    {
        return pack.ReadFile(path, maxBytes, bytes);
    }
    FileReadResult ReadPackFile(const std::string& folder, const std::string& name, std::size_t maxBytes,
                                std::vector<std::uint8_t>& bytes) override
    {
        return pack.ReadPackFile(folder, name, maxBytes, bytes);
    }
    bool CreateFolder(const std::string& path) override { return folders.insert(path), true; }
    bool FolderExists(const std::string& path) override { return folders.contains(path); }
    bool WriteFile(const std::string&, std::span<const std::uint8_t> bytes) override
    {
        written += bytes.size();
        return true;
    }
    bool MoveFolder(const std::string&, const std::string&) override { return true; }
    void RemoveFolder(const std::string&) override {}

    fakes::MemoryFiles pack;
    std::set<std::string> folders;
    std::size_t written = 0;
};

std::string Config()
{
    // Every key code of ours that a pack can name, then keypad codes, up to 100 slices.
    const int codes[Slices] = {
        14, 15, 28, 3612, 42, 54, 29, 3613, 56, 3640, 3653, 58, 1, 57, 3657, 3665, 3663, 3655, 57419, 57416,
        57421, 57424, 3639, 3666, 3667, 11, 2, 3, 4, 5, 6, 7, 8, 9, 10, 30, 48, 46, 32, 18, 33, 34, 35, 23,
        36, 37, 38, 50, 49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44, 3675, 3676, 3677, 59, 60, 61, 62,
        63, 64, 65, 66, 67, 68, 87, 88, 70, 39, 13, 51, 12, 52, 53, 41, 26, 43, 27, 40, 71, 72, 73, 75, 76, 77,
        79, 80, 81, 82, 83, 3637};
    std::string defines;
    for (int i = 0; i < Slices; ++i)
        defines += (i ? ", \"" : "\"") + std::to_string(codes[i]) + "\": [" + std::to_string(i * SliceMs) + ", " +
                   std::to_string(SliceMs) + "]";
    return R"({"id": "bench", "name": "Bench", "key_define_type": "single", "sound": "sound.ogg", "defines": {)" +
           defines + "}}";
}

long MaxRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void ImportOggPack(benchmark::State& state)
{
    DroppingFiles files;
    std::ifstream ogg(CLAVITONE_BENCH_OGG, std::ios::binary);
    files.pack.Add(PackFolder + "\\sound.ogg", std::vector<std::uint8_t>(std::istreambuf_iterator<char>(ogg), {}));
    files.pack.Add(PackFolder + "\\config.json", Config());
    const std::size_t oggBytes = files.pack.files.at(PackFolder + "\\sound.ogg").size();

    const long rssBefore = MaxRssKb();
    std::size_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fakes::MemoryStore store;
        fakes::Latin1CodePage codePage;
        fakes::InProcessDecoder decoder;
        fakes::ScriptedFileDialog dialog;
        fakes::ScriptedMessageBoxes messages;
        FormModel form = MakePrefForm();
        NoEventLog log;
        PackImport import({store, files, codePage, dialog, messages, log, decoder}, form);
        const std::size_t base = g_heapInUse.load();
        g_heapPeak = base;
        state.ResumeTiming();

        const auto imported = import.Import(PackFolder + "\\config.json");

        state.PauseTiming();
        if (!imported)
            state.SkipWithError(imported.Why().c_str());
        peak = std::max(peak, g_heapPeak.load() - base);
        state.ResumeTiming();
    }
    state.counters["ogg_MB"] = static_cast<double>(oggBytes) / 1e6;
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["rss_growth_MB"] = static_cast<double>(MaxRssKb() - rssBefore) / 1e3;
    state.counters["wav_MB_per_import"] =
        static_cast<double>(files.written) / 1e6 / static_cast<double>(state.iterations());
}
BENCHMARK(ImportOggPack)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

// Heap in use and its peak, for the C++ allocations (the decoded audio, the
// WAVs as they are made); the decoder's own small C allocations show in the
// resident-set growth instead.
void* operator new(std::size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    const std::size_t now = g_heapInUse += malloc_usable_size(p);
    std::size_t peak = g_heapPeak.load();
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void operator delete(void* p) noexcept
{
    if (p)
        g_heapInUse -= malloc_usable_size(p);
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    operator delete(p);
}

BENCHMARK_MAIN();
