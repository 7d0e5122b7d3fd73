#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace qrv {

class EspeakLibrary;

// The speech synthesiser is a process-wide singleton that cannot be restarted
// once stopped, and must not be entered from two threads. One engine per
// process owns it: a single worker thread makes every synthesiser call and
// speaks queued texts one after another.
class EspeakEngine {
  public:
    // Receives a text's whole synthesised audio (mono 16-bit samples) instead
    // of playing it. Runs on the worker thread.
    using AudioSink = std::function<void(const std::string& text, std::span<const int16_t>)>;

    // The engine, started on first use; null when the synthesiser cannot start
    // (missing voice data), and then tried again at the next call. Once
    // started it lives until the end of the process.
    static std::shared_ptr<EspeakEngine> Shared();

    ~EspeakEngine();
    EspeakEngine(const EspeakEngine&) = delete;
    EspeakEngine& operator=(const EspeakEngine&) = delete;

    // Queues a text behind pending ones. A null sink plays it on the default
    // audio device. `done` is fulfilled once it was spoken, or dropped. A
    // non-zero *stop (which must outlive `done`) skips or cuts short the text.
    void Enqueue(std::string text, std::shared_ptr<const AudioSink> sink,
                 std::promise<void> done = {}, const std::atomic<int32_t>* stop = nullptr);

    // Returns once every text queued so far has been spoken or dropped.
    void WaitUntilSpoken();

    int SampleRate() const { return m_sampleRate; }

  private:
    struct Job {
        std::string text;
        std::shared_ptr<const AudioSink> sink;
        std::promise<void> done;
        const std::atomic<int32_t>* stop;
    };

    EspeakEngine() = default;
    bool Start();
    void Run(std::promise<bool> started);
    bool Initialise();
    std::optional<Job> NextJob();
    void Speak(const Job& job);
    void SelectOutput(bool capture);
    static int OnSynth(short* samples, int count, void* events);

    std::thread m_worker;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job> m_queue;
    bool m_stopping = false;
    int m_sampleRate = 0;

    // Worker-thread state.
    const EspeakLibrary* m_lib = nullptr;
    std::optional<bool> m_capturing;
    const std::atomic<int32_t>* m_stop = nullptr;  // stops the text being spoken
    std::vector<int16_t> m_captured;
};

}  // namespace qrv
