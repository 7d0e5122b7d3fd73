#include "fakes/fake_platform.h"

#include <utility>

namespace qrv {

FakePlatform::FakePlatform() {
    input.SetVirtualScreen(layout.VirtualScreen());
}

SearchAttemptDeps FakePlatform::AttemptDeps() {
    return {screen, input, layout, clock, speaker, &elements, shell, activator, beeper, profile};
}

SearchControllerDeps FakePlatform::ControllerDeps() {
    return {AttemptDeps(), codec, &taskbar, &hotKeys};
}

void FakePlatform::SetMonitors(std::vector<Rect> monitors) {
    layout.SetMonitors(std::move(monitors));
    input.SetVirtualScreen(layout.VirtualScreen());
}

}  // namespace qrv
