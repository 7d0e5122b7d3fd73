#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "platform/espeak/espeak_voice_factory.h"

namespace qrv {
namespace {

struct Utterance {
    std::string text;
    double seconds;
    double rms;
};

// Collects what the engine synthesised, in the order it was spoken.
class CapturedSpeech {
  public:
    EspeakEngine::AudioSink Sink() {
        return [this](const std::string& text, std::span<const int16_t> samples) {
            double sum = 0;
            for (int16_t s : samples)
                sum += static_cast<double>(s) * s;
            const double count = std::max<double>(1, static_cast<double>(samples.size()));
            std::lock_guard lock(m_mutex);
            m_spoken.push_back(
                {text, static_cast<double>(samples.size()) / EspeakEngine::Shared()->SampleRate(),
                 std::sqrt(sum / count)});
        };
    }
    std::vector<Utterance> Spoken() {
        std::lock_guard lock(m_mutex);
        return m_spoken;
    }

  private:
    std::mutex m_mutex;
    std::vector<Utterance> m_spoken;
};

// Texts from two voices queue in order behind pending speech; waiting returns
// once every text queued before it is in the sink, and SpeakSync once its own
// audio is; empty texts produce nothing; longer texts take longer to say.
TEST(EspeakVoiceTest, SpeaksQueuedTextsInOrderIntoTheSink) {
    CapturedSpeech speech;
    EspeakVoiceFactory factory(speech.Sink());
    std::unique_ptr<Voice> voice = factory.CreateVoice();
    std::unique_ptr<Voice> other = factory.CreateVoice();
    ASSERT_TRUE(voice && other) << "espeak-ng did not start";
    const std::vector<std::string> texts = {"one", "Größe über Straße", "",
                                            "Picture Found in Screen Search Area"};
    voice->SpeakAsync(texts[0]);
    other->SpeakAsync(texts[1]);
    voice->SpeakAsync(texts[2]);
    voice->SpeakSync(texts[2], nullptr);
    other->WaitUntilSpoken();
    EXPECT_EQ(speech.Spoken().size(), 2u);
    other->SpeakSync(texts[3], nullptr);

    const auto spoken = speech.Spoken();
    ASSERT_EQ(spoken.size(), 3u);
    for (std::size_t i : {0, 1, 2}) {
        EXPECT_EQ(spoken[i].text, texts[i == 2 ? 3 : i]);
        EXPECT_GT(spoken[i].rms, 300.0) << i;
        EXPECT_GT(spoken[i].seconds, 0.2) << i;
        EXPECT_LT(spoken[i].seconds, 8.0) << i;
    }
    EXPECT_GT(spoken[2].seconds, 2 * spoken[0].seconds);
    voice->WaitUntilSpoken();  // nothing queued: returns at once
}

// A synthesiser that cannot start (broken voice data) is started again at the
// next request. Runs in a fresh process: the engine lives as long as one.
TEST(EspeakVoiceDeathTest, FailedStartIsRetriedAtTheNextVoice) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::filesystem::path broken =
        std::filesystem::temp_directory_path() / ("qrv-espeak-" + std::to_string(::getpid()));
    std::filesystem::create_directories(broken / "espeak-ng-data");
    EXPECT_EXIT(
        {
            ::setenv("ESPEAK_DATA_PATH", broken.c_str(), 1);
            EspeakVoiceFactory factory;
            const bool failed = factory.CreateVoice() == nullptr;
            ::unsetenv("ESPEAK_DATA_PATH");
            const bool retried = factory.CreateVoice() != nullptr;
            std::_Exit(failed && retried ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::filesystem::remove_all(broken);
}

// Playing needs an audio device; without one the texts are dropped, nothing
// blocks, and capturing voices keep working afterwards.
TEST(EspeakVoiceTest, SpeakingToTheDeviceReturnsWithOrWithoutOne) {
    EspeakVoiceFactory playing;
    std::unique_ptr<Voice> voice = playing.CreateVoice();
    ASSERT_NE(voice, nullptr);
    voice->SpeakAsync("queued for the device");
    voice->SpeakSync("spoken on the device", nullptr);

    CapturedSpeech speech;
    EspeakVoiceFactory(speech.Sink())
        .CreateVoice()
        ->SpeakSync("Picture Found in Screen Search Area", nullptr);
    ASSERT_EQ(speech.Spoken().size(), 1u);
    EXPECT_GT(speech.Spoken()[0].seconds, 0.8);
    EXPECT_LT(speech.Spoken()[0].seconds, 8.0);
}

// A stopped run's synchronous text is not spoken, and the voice stays usable.
TEST(EspeakVoiceTest, AStoppedTextIsSkipped) {
    CapturedSpeech speech;
    std::unique_ptr<Voice> voice = EspeakVoiceFactory(speech.Sink()).CreateVoice();
    ASSERT_NE(voice, nullptr);
    std::atomic<int32_t> stop{1};
    voice->SpeakSync("a long text that nobody wants to hear any more", &stop);
    EXPECT_TRUE(speech.Spoken().empty());
    stop = 0;
    voice->SpeakSync("spoken", &stop);
    ASSERT_EQ(speech.Spoken().size(), 1u);
    EXPECT_EQ(speech.Spoken()[0].text, "spoken");
}

}  // namespace
}  // namespace qrv
