#include "sound/resampler.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace clavitone {

namespace {

// Kernel half-width in zero crossings, and its tabulation per crossing. 16
// crossings with a Kaiser window keep aliasing and imaging far below what a
// 16-bit key click can show.
constexpr int HalfWidth = 16;
constexpr int TableSteps = 512;
constexpr double KaiserBeta = 8.0;
// Passband edge as a share of the lower Nyquist frequency.
constexpr double Cutoff = 0.92;
// Rate pairs whose phase count stays below this get their weights computed once per phase.
constexpr std::int64_t MaxCachedPhases = 4096;
constexpr double Pi = 3.14159265358979323846;

double BesselI0(double x)
{
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; k < 30; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
    }
    return sum;
}

// The windowed sinc at distances 0 to HalfWidth crossings, one extra entry for interpolation.
const std::array<float, HalfWidth * TableSteps + 2>& KernelTable()
{
    static const auto table = [] {
        std::array<float, HalfWidth * TableSteps + 2> t{};
        const double norm = BesselI0(KaiserBeta);
        for (std::size_t i = 0; i < t.size(); ++i) {
            const double x = static_cast<double>(i) / TableSteps;
            const double r = x / HalfWidth;
            const double window = r < 1.0 ? BesselI0(KaiserBeta * std::sqrt(1.0 - r * r)) / norm : 0.0;
            const double sinc = x == 0.0 ? 1.0 : std::sin(Pi * x) / (Pi * x);
            t[i] = static_cast<float>(sinc * window);
        }
        return t;
    }();
    return table;
}

float Kernel(double crossings)
{
    const auto& table = KernelTable();
    const double at = std::abs(crossings) * TableSteps;
    const auto index = static_cast<std::size_t>(at);
    if (index + 1 >= table.size())
        return 0.0f;
    const auto frac = static_cast<float>(at - static_cast<double>(index));
    return table[index] + (table[index + 1] - table[index]) * frac;
}

class Converter {
public:
    Converter(int fromRate, int toRate)
        : step_(static_cast<double>(fromRate) / toRate),
          scale_(std::min(1.0, static_cast<double>(toRate) / fromRate) * Cutoff),
          reach_(static_cast<int>(std::ceil(HalfWidth / scale_))),
          phases_(toRate / std::gcd(fromRate, toRate)),
          from_(fromRate / std::gcd(fromRate, toRate))
    {
        if (phases_ <= MaxCachedPhases) {
            cache_.resize(static_cast<std::size_t>(phases_ * Taps()));
            for (std::int64_t p = 0; p < phases_; ++p)
                ComputeWeights(static_cast<double>(p * from_ % phases_) / static_cast<double>(phases_),
                               &cache_[static_cast<std::size_t>(p * Taps())]);
        }
    }

    int Taps() const { return 2 * reach_; }
    int Reach() const { return reach_; }

    // The output frame's weights for Taps() input frames from `first` on,
    // normalised so that a constant stays constant: from the cache where the
    // rates allow one, else computed into scratch.
    const float* Weights(std::int64_t outFrame, std::vector<float>& scratch, std::int64_t& first) const
    {
        if (!cache_.empty()) {
            first = outFrame * from_ / phases_ - reach_ + 1;
            return &cache_[static_cast<std::size_t>((outFrame % phases_) * Taps())];
        }
        const double position = static_cast<double>(outFrame) * step_;
        const auto base = static_cast<std::int64_t>(std::floor(position));
        ComputeWeights(position - static_cast<double>(base), scratch.data());
        first = base - reach_ + 1;
        return scratch.data();
    }

private:
    void ComputeWeights(double frac, float* out) const
    {
        float sum = 0.0f;
        for (int k = 0; k < Taps(); ++k) {
            const double distance = static_cast<double>(k - reach_ + 1) - frac;
            out[k] = Kernel(distance * scale_);
            sum += out[k];
        }
        for (int k = 0; k < Taps(); ++k)
            out[k] /= sum;
    }

    double step_;
    double scale_;
    int reach_;
    std::int64_t phases_;
    std::int64_t from_;
    std::vector<float> cache_;
};

}  // namespace

std::uint64_t ResampledFrames(std::uint64_t inFrames, int fromRate, int toRate)
{
    if (fromRate <= 0 || toRate <= 0)
        return 0;
    // Whole seconds and the rest apart, so that no product leaves 64 bits.
    const auto from = static_cast<std::uint64_t>(fromRate);
    const auto to = static_cast<std::uint64_t>(toRate);
    return inFrames / from * to + (inFrames % from * to + from / 2) / from;
}

std::vector<std::int16_t> Resample(std::span<const std::int16_t> samples, int channels, int fromRate, int toRate)
{
    if (channels < 1 || fromRate <= 0 || toRate <= 0)
        return {};
    if (fromRate == toRate)
        return {samples.begin(), samples.end()};
    const auto inFrames = static_cast<std::int64_t>(samples.size()) / channels;
    const std::uint64_t outSamples = ResampledFrames(static_cast<std::uint64_t>(inFrames), fromRate, toRate) *
                                     static_cast<std::uint64_t>(channels);
    // On a 32-bit build the size would wrap in size_t and the loop below write past it.
    if (outSamples > std::vector<std::int16_t>().max_size())
        return {};
    const auto outFrames = static_cast<std::int64_t>(outSamples) / channels;
    std::vector<std::int16_t> out(static_cast<std::size_t>(outSamples));
    const Converter converter(fromRate, toRate);
    std::vector<float> weights(static_cast<std::size_t>(converter.Taps()));
    // One channel at a time from a float copy: the inner loop is then a plain
    // dot product over adjacent values, which the compiler vectorises.
    std::vector<float> plane(static_cast<std::size_t>(inFrames));
    for (int c = 0; c < channels; ++c) {
        for (std::int64_t i = 0; i < inFrames; ++i)
            plane[static_cast<std::size_t>(i)] = samples[static_cast<std::size_t>(i * channels + c)];
        for (std::int64_t frame = 0; frame < outFrames; ++frame) {
            std::int64_t first = 0;
            const float* w = converter.Weights(frame, weights, first);
            // Only the taps that fall inside the sound: beyond its ends is silence.
            const auto begin = static_cast<int>(std::max<std::int64_t>(0, -first));
            const auto end = static_cast<int>(std::min<std::int64_t>(converter.Taps(), inFrames - first));
            const float* in = plane.data() + (first + begin);
            // Four running sums, so that the additions do not wait on each other.
            float sums[4] = {};
            int k = begin;
            for (; k + 4 <= end; k += 4, in += 4)
                for (int lane = 0; lane < 4; ++lane)
                    sums[lane] += w[k + lane] * in[lane];
            for (; k < end; ++k, ++in)
                sums[0] += w[k] * *in;
            const float sum = (sums[0] + sums[1]) + (sums[2] + sums[3]);
            out[static_cast<std::size_t>(frame * channels + c)] =
                static_cast<std::int16_t>(std::lround(std::clamp(sum, -32768.0f, 32767.0f)));
        }
    }
    return out;
}

}  // namespace clavitone
