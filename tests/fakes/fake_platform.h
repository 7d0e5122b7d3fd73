#pragma once

#include "core/search/search_controller.h"
#include "core/search/text_speaker.h"
#include "core/settings/memory_profile_store.h"
#include "core/settings/profile.h"
#include "fakes/action_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_display_layout.h"
#include "fakes/fake_element_clicker.h"
#include "fakes/fake_global_hot_keys.h"
#include "fakes/fake_image_codec.h"
#include "fakes/fake_screen_source.h"
#include "fakes/fake_top_level_windows.h"
#include "fakes/recording_beeper.h"
#include "fakes/recording_input_injector.h"
#include "fakes/recording_search_view.h"
#include "fakes/recording_shell.h"
#include "fakes/recording_taskbar_progress.h"
#include "fakes/recording_voice_factory.h"
#include "fakes/recording_window_activator.h"

namespace qrv {

// Every fake a search needs, recording into one shared log so that tests can
// check the order of actions across services. Single 1920x1080 monitor.
struct FakePlatform {
    FakePlatform() { input.SetVirtualScreen(layout.VirtualScreen()); }

    SearchAttemptDeps AttemptDeps() {
        return {screen,    input, layout,    clock,  speaker,
                &elements, shell, activator, beeper, profile};
    }
    SearchControllerDeps ControllerDeps() { return {AttemptDeps(), codec, &taskbar, &hotKeys}; }
    // Changes the monitors for both the layout and the injector's decoding.
    void SetMonitors(std::vector<Rect> monitors) {
        layout.SetMonitors(std::move(monitors));
        input.SetVirtualScreen(layout.VirtualScreen());
    }

    ActionLog log;
    FakeScreenSource screen{&log};
    RecordingInputInjector input{&log};
    FakeDisplayLayout layout;
    FakeClock clock{&log};
    RecordingVoiceFactory voices{log};
    CTextSpeaker speaker{voices};
    FakeElementClicker elements{log};
    RecordingShell shell{log};
    RecordingWindowActivator activator{log};
    RecordingBeeper beeper{log};
    MemoryProfileStore store;
    FakeTopLevelWindows windows;
    Profile profile{store, windows};
    FakeImageCodec codec;
    RecordingTaskbarProgress taskbar{log};
    FakeGlobalHotKeys hotKeys{log};
    RecordingSearchView view{log};
};

}  // namespace qrv
