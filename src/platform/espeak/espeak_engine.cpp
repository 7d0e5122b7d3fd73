#include "platform/espeak/espeak_engine.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <new>

namespace qrv {

namespace {

constexpr espeak_ng_OUTPUT_MODE kCaptureMode = ENOUTPUT_MODE_SYNCHRONOUS;
constexpr auto kPlaybackMode =
    static_cast<espeak_ng_OUTPUT_MODE>(ENOUTPUT_MODE_SYNCHRONOUS | ENOUTPUT_MODE_SPEAK_AUDIO);

EspeakEngine* UserEngine(void* events) {
    return static_cast<EspeakEngine*>(static_cast<espeak_EVENT*>(events)->user_data);
}

}  // namespace

// A failed start (voice data missing, perhaps being installed) is tried again
// at the next call.
std::shared_ptr<EspeakEngine> EspeakEngine::Shared() {
    static std::mutex mutex;
    static std::shared_ptr<EspeakEngine> engine;
    std::lock_guard lock(mutex);
    if (!engine) {
        std::shared_ptr<EspeakEngine> candidate(new EspeakEngine());
        if (candidate->Start())
            engine = std::move(candidate);
    }
    return engine;
}

EspeakEngine::~EspeakEngine() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

void EspeakEngine::Enqueue(std::string text, std::shared_ptr<const AudioSink> sink,
                           std::promise<void> done, const std::atomic<int32_t>* stop) {
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_queue.push_back(Job{std::move(text), std::move(sink), std::move(done), stop});
    }
    m_wake.notify_one();
}

void EspeakEngine::WaitUntilSpoken() {
    // The queue is spoken in order: once this empty marker is reached, every
    // text queued before it is done.
    std::promise<void> done;
    std::future<void> reached = done.get_future();
    Enqueue({}, nullptr, std::move(done));
    reached.wait();
}

bool EspeakEngine::Start() {
    std::promise<bool> started;
    std::future<bool> result = started.get_future();
    m_worker = std::thread(&EspeakEngine::Run, this, std::move(started));
    if (result.get())
        return true;
    m_worker.join();
    return false;
}

// Pending texts are dropped when the engine stops; their waiters are released
// by the broken promises.
void EspeakEngine::Run(std::promise<bool> started) {
    const bool ok = Initialise();
    started.set_value(ok);
    if (!ok)
        return;
    while (std::optional<Job> job = NextJob()) {
        // Out of memory loses this text, not the process.
        try {
            if (!job->text.empty())
                Speak(*job);
        } catch (const std::bad_alloc&) {
            espeak_ng_Cancel();
        }
        job->done.set_value();
    }
    espeak_ng_Terminate();
}

bool EspeakEngine::Initialise() {
    espeak_ng_InitializePath(nullptr);
    if (espeak_ng_Initialize(nullptr) != ENS_OK)
        return false;
    SelectOutput(true);
    if (espeak_ng_SetVoiceByName(ESPEAKNG_DEFAULT_VOICE) != ENS_OK) {
        espeak_ng_Terminate();
        return false;
    }
    espeak_SetSynthCallback([](short* samples, int count, espeak_EVENT* events) {
        return OnSynth(samples, count, events);
    });
    m_sampleRate = espeak_ng_GetSampleRate();
    return true;
}

std::optional<EspeakEngine::Job> EspeakEngine::NextJob() {
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
    if (m_stopping) {
        m_queue.clear();
        return std::nullopt;
    }
    Job job = std::move(m_queue.front());
    m_queue.pop_front();
    return job;
}

// Synthesis is synchronous on this thread: in playback mode the call returns
// once the audio device has played the text. Without an audio device the call
// fails at once and the text is lost.
void EspeakEngine::Speak(const Job& job) {
    if (job.stop && job.stop->load() != 0)
        return;
    const bool capture = job.sink != nullptr;
    SelectOutput(capture);
    m_captured.clear();
    m_stop = job.stop;
    const espeak_ng_STATUS status =
        espeak_ng_Synthesize(job.text.c_str(), job.text.size() + 1, 0, POS_CHARACTER, 0,
                             espeakCHARS_UTF8, nullptr, this);
    m_stop = nullptr;
    if (status != ENS_OK)
        espeak_ng_Cancel();
    if (capture)
        (*job.sink)(job.text, m_captured);
}

void EspeakEngine::SelectOutput(bool capture) {
    if (m_capturing == capture)
        return;
    espeak_ng_InitializeOutput(capture ? kCaptureMode : kPlaybackMode, 0, nullptr);
    m_capturing = capture;
}

// Returning 1 aborts the synthesis: the text was stopped, or the engine is
// shutting down.
int EspeakEngine::OnSynth(short* samples, int count, void* events) {
    EspeakEngine* engine = UserEngine(events);
    if (engine == nullptr)
        return 0;
    if (samples != nullptr && count > 0 && engine->m_capturing == true) {
        engine->m_captured.insert(engine->m_captured.end(), samples, samples + count);
    }
    if (engine->m_stop && engine->m_stop->load() != 0)
        return 1;
    std::lock_guard lock(engine->m_mutex);
    return engine->m_stopping ? 1 : 0;
}

}  // namespace qrv
