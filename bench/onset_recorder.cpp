// Records a PulseAudio source in small chunks and stamps each chunk with the
// capture time of its first sample on CLOCK_MONOTONIC_RAW, the clock Wine's
// performance counter runs on. Writes one line per chunk:
//   <capture time of the first sample, ns> <samples> <index of the first sample above the threshold, or -1> <peak>
// and the samples themselves (16-bit mono at 48 kHz) to a raw file.
//
//   onset_recorder <source> <threshold> <chunks file> <raw file> <seconds>
#include <pulse/pulseaudio.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr int Rate = 48000;

struct Recording {
    pa_mainloop* loop = nullptr;
    pa_stream* stream = nullptr;
    const char* source = nullptr;
    int threshold = 0;
    std::FILE* chunks = nullptr;
    std::FILE* raw = nullptr;
    long long endNs = 0;
};

long long MonotonicRawNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_RAW, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

void OnRead(pa_stream* stream, size_t, void* data)
{
    auto& rec = *static_cast<Recording*>(data);
    const void* bytes = nullptr;
    size_t length = 0;
    while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &bytes, &length) == 0 && length > 0) {
        const long long now = MonotonicRawNs();
        // The latency from PulseAudio's own timing snapshots: how long ago the
        // sample at the read index, the chunk's first, was captured.
        pa_usec_t latency = 0;
        int negative = 0;
        const bool timed = pa_stream_get_latency(stream, &latency, &negative) == 0;
        const auto count = static_cast<long>(length / 2);
        const auto* samples = static_cast<const short*>(bytes);
        long first = -1;
        int peak = 0;
        for (long i = 0; bytes && i < count; ++i) {
            const int level = std::abs(static_cast<int>(samples[i]));
            if (level > rec.threshold && first < 0)
                first = i;
            if (level > peak)
                peak = level;
        }
        if (bytes) {
            std::fwrite(bytes, 1, length, rec.raw);
        } else {
            // A hole in the stream: keep the raw file aligned with the chunk list.
            for (long i = 0; i < count; ++i)
                std::fputc(0, rec.raw), std::fputc(0, rec.raw);
        }
        const long long captured = now - (timed ? (negative ? -1 : 1) * static_cast<long long>(latency) * 1000 : 0);
        std::fprintf(rec.chunks, "%lld %ld %ld %d\n", captured, count, first, peak);
        pa_stream_drop(stream);
        if (now >= rec.endNs)
            pa_mainloop_quit(rec.loop, 0);
    }
}

void OnContext(pa_context* context, void* data)
{
    auto& rec = *static_cast<Recording*>(data);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY: {
        const pa_sample_spec spec{PA_SAMPLE_S16LE, Rate, 1};
        rec.stream = pa_stream_new(context, "onset recorder", &spec, nullptr);
        pa_stream_set_read_callback(rec.stream, OnRead, &rec);
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.fragsize = Rate / 200 * 2;  // 5 ms
        const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING |
                                                          PA_STREAM_AUTO_TIMING_UPDATE);
        if (pa_stream_connect_record(rec.stream, rec.source, &attr, flags) < 0)
            pa_mainloop_quit(rec.loop, 1);
        break;
    }
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        pa_mainloop_quit(rec.loop, 1);
        break;
    default:
        break;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: onset_recorder <source> <threshold> <chunks file> <raw file> <seconds>\n");
        return 2;
    }
    Recording rec;
    rec.source = argv[1];
    rec.threshold = std::atoi(argv[2]);
    rec.chunks = std::fopen(argv[3], "w");
    rec.raw = std::fopen(argv[4], "wb");
    if (!rec.chunks || !rec.raw)
        return 1;
    rec.endNs = MonotonicRawNs() + static_cast<long long>(std::atof(argv[5]) * 1e9);
    rec.loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(rec.loop), "onset recorder");
    pa_context_set_state_callback(context, OnContext, &rec);
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0)
        return 1;
    int status = 0;
    pa_mainloop_run(rec.loop, &status);
    std::fclose(rec.chunks);
    std::fclose(rec.raw);
    return status;
}
