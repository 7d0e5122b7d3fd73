#include <gtest/gtest.h>

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

TEST_F(SpeakerFixture, EmptyTextCreatesAndSpeaksNothing) {
    speaker.SpeakAsync("");
    speaker.SpeakSync("");
    EXPECT_TRUE(log.Entries().empty());
    EXPECT_FALSE(speaker.HasVoice());
}

TEST_F(SpeakerFixture, SyncWithoutSharedVoiceUsesATemporaryOne) {
    speaker.SpeakSync("a");
    speaker.SpeakSync("b");
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"voice-created", "speak-sync a",
                                                       "voice-created", "speak-sync b"}));
    EXPECT_FALSE(speaker.HasVoice());
}

TEST_F(SpeakerFixture, AsyncCreatesTheSharedVoiceOnceAndSyncThenUsesIt) {
    speaker.SpeakAsync("one");
    speaker.SpeakAsync("two");
    speaker.SpeakSync("three");
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"voice-created", "speak-async one",
                                                       "speak-async two", "speak-sync three"}));
}

// Waiting for queued speech goes to the shared voice; without one there is
// nothing queued and nothing to wait for.
TEST_F(SpeakerFixture, WaitingForSpeechUsesTheSharedVoiceOnly) {
    speaker.WaitUntilSpoken();
    speaker.SpeakSync("now");
    speaker.WaitUntilSpoken();
    speaker.SpeakAsync("later");
    speaker.WaitUntilSpoken();
    EXPECT_EQ(log.Entries(),
              (std::vector<std::string>{"voice-created", "speak-sync now", "voice-created",
                                        "speak-async later", "speak-wait"}));
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
