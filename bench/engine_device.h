// An audio output for benchmarks: a thread that pulls a buffer from the mixer
// every millisecond, as a real render thread would, and plays it nowhere.
#pragma once

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "sound/audio_device.h"

class PullingDevice final : public clavitone::AudioDevice {
public:
    ~PullingDevice() override { Stop(); }
    clavitone::Result<clavitone::StreamFormat> Start(clavitone::AudioApi, clavitone::RenderSource& source) override
    {
        running_ = true;
        thread_ = std::thread([this, &source] {
            std::vector<float> buffer(2 * 48);
            while (running_) {
                source.Render(buffer.data(), 48, 2);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        return clavitone::StreamFormat{48000, 2, 1};
    }
    void Stop() override
    {
        running_ = false;
        if (thread_.joinable())
            thread_.join();
    }
    bool Lost() override { return false; }
    std::uint64_t Milliseconds() const override
    {
        return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    }

private:
    std::atomic<bool> running_{false};
    std::thread thread_;
};
