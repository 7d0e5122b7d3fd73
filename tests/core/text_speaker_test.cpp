#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "core/search/text_speaker.h"
#include "fakes/action_log.h"
#include "fakes/recording_voice_factory.h"

namespace qrv {
namespace {

struct SpeakerFixture : ::testing::Test {
    ActionLog log;
    RecordingVoiceFactory factory{log};
    CTextSpeaker speaker{factory};
};

// Scripts of calls ("a" speaks the rest asynchronously, "s" synchronously,
// "w" waits) and what they leave: the first asynchronous text makes the
// shared voice; synchronous texts use it once it exists and a temporary voice
// before; waiting goes to the shared voice only; empty texts do nothing.
TEST(TextSpeakerTest, CallsUseTheSharedVoiceOnceAnAsynchronousTextMadeIt) {
    using Texts = std::vector<std::string>;
    const struct {
        Texts script;
        Texts log;
        bool hasVoice;
    } cases[] = {
        {{"a", "s"}, {}, false},
        {{"sa", "sb"}, {"voice-created", "speak-sync a", "voice-created", "speak-sync b"}, false},
        {{"aone", "atwo", "sthree"},
         {"voice-created", "speak-async one", "speak-async two", "speak-sync three"},
         true},
        {{"w", "snow", "w", "alater", "w"},
         {"voice-created", "speak-sync now", "voice-created", "speak-async later", "speak-wait"},
         true},
    };
    for (const auto& c : cases) {
        ActionLog log;
        RecordingVoiceFactory factory{log};
        CTextSpeaker speaker{factory};
        for (const std::string& call : c.script) {
            const std::string text = call.substr(1);
            call[0] == 'a'   ? speaker.SpeakAsync(text)
            : call[0] == 's' ? speaker.SpeakSync(text)
                             : speaker.WaitUntilSpoken();
        }
        EXPECT_EQ(log.Entries(), c.log) << c.script.size();
        EXPECT_EQ(speaker.HasVoice(), c.hasVoice) << c.script.size();
    }
}

TEST_F(SpeakerFixture, NoSpeechServiceSpeaksNothing) {
    factory.available = false;
    speaker.EnsureVoice();
    speaker.SpeakAsync("x");
    speaker.SpeakSync("y");
    EXPECT_FALSE(speaker.HasVoice());
    EXPECT_TRUE(log.Entries().empty());
    factory.available = true;
    speaker.EnsureVoice();  // a later attempt may succeed
    EXPECT_TRUE(speaker.HasVoice());
}

TEST_F(SpeakerFixture, RacingThreadsCreateOneSharedVoice) {
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([this] {
            for (int j = 0; j < 50; ++j) {
                speaker.SpeakAsync("t");
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    EXPECT_EQ(factory.created, 1);
    EXPECT_EQ(log.Count("speak-async t"), 200);
}

}  // namespace
}  // namespace qrv
