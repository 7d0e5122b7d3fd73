#include "cli/find/find_command.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>

#include "cli/common/picture_file.h"
#include "cli/find/attempt_printer.h"
#include "cli/find/console_search_view.h"
#include "cli/find/find_options.h"
#include "cli/find/interrupt_watch.h"
#include "cli/find/offscreen_desktop.h"
#include "core/automation/c_element_clicker.h"
#include "core/search/image_screen_source.h"
#include "core/search/search_controller.h"
#include "core/search/system_clock.h"
#include "core/settings/memory_profile_store.h"
#include "core/settings/profile.h"
#include "core/settings/setting_keys.h"
#include "platform/desktop_platform.h"

namespace qrv::cli {

namespace {

int BadInput(const std::string& message) {
    std::fprintf(stderr, "quorvane-cli find: %s\n", message.c_str());
    return 2;
}

// Where the run's pixels come from and where its actions go: the live desktop,
// or a screen image with an offscreen desktop around it.
struct Desktop {
    DesktopPlatform& platform;
    std::unique_ptr<ImageScreenSource> image;
    std::unique_ptr<OffscreenDesktop> offscreen;

    ScreenSource& Screen() { return image ? *image : *platform.screen; }
    DisplayLayout& Layout() { return offscreen ? *offscreen : *platform.layout; }
    InputInjector& Input() { return offscreen ? *offscreen : *platform.input; }
    Beeper& Sound() { return offscreen ? *offscreen : *platform.beeper; }
    WindowActivator& Activator() { return offscreen ? *offscreen : *platform.activator; }
    TopLevelWindows& Windows() { return offscreen ? *offscreen : *platform.windows; }
};

std::optional<Desktop> OpenScreenImage(const FindOptions& o, DesktopPlatform& platform,
                                       std::string& error) {
    DecodedImage image;
    const uint32_t status = platform.codec->LoadImageFile(o.screenImage, image);
    if (status != kStatusOk || image.pixels.Empty()) {
        error =
            "the screen image " + Quoted(o.screenImage) + " " + LoadFailure(o.screenImage, status);
        return std::nullopt;
    }
    const int64_t right = int64_t(o.origin.x) + image.pixels.m_iWidth;
    const int64_t bottom = int64_t(o.origin.y) + image.pixels.m_iHeight;
    if (right > std::numeric_limits<int32_t>::max() ||
        bottom > std::numeric_limits<int32_t>::max()) {
        error = "--origin " + std::to_string(o.origin.x) + "," + std::to_string(o.origin.y) +
                " puts the screen image beyond the last screen coordinate";
        return std::nullopt;
    }
    Desktop d{platform, std::make_unique<ImageScreenSource>(std::move(image.pixels), o.origin),
              nullptr};
    d.offscreen = std::make_unique<OffscreenDesktop>(d.image->Bounds());
    return d;
}

std::optional<Desktop> OpenLiveScreen(DesktopPlatform& platform, std::string& error) {
    if (!platform.HasSession()) {
        error = "cannot reach the " + platform.name +
                " desktop (is DISPLAY set?); --screen-image searches a file";
        return std::nullopt;
    }
    return Desktop{platform, nullptr, nullptr};
}

// The search area: the given rectangle, or the whole screen image.
Rect SearchArea(const FindOptions& o, const Desktop& d) {
    if (o.area) {
        return *o.area;
    }
    return d.image->Bounds();
}

MainWindowFields FieldsFrom(const FindOptions& o, Rect area) {
    MainWindowFields f;
    f.m_iScreenAreaLeft = area.left;
    f.m_iScreenAreaTop = area.top;
    f.m_iScreenAreaWidth = area.Width();
    f.m_iScreenAreaHeight = area.Height();
    f.m_iDeviationRed = o.deviation[0];
    f.m_iDeviationGreen = o.deviation[1];
    f.m_iDeviationBlue = o.deviation[2];
    f.m_dwTimeDelay1 = o.delay;
    f.m_bClickAnotherTime = o.clickTwice;
    f.m_bClickOnPicture = o.click || o.clickTwice;
    f.m_bMoveMouseToCenterOfPicture = o.move;
    f.m_bCursorBack = o.cursorBack;
    f.m_strTextToSpeak = o.speak;
    f.m_bSpeakText = !o.speak.empty();
    f.m_strScriptToExecute = o.execute;
    f.m_bExecuteScript = !o.execute.empty();
    f.m_strVerb = o.verb;
    f.m_bAbortSearch = o.abortOnMatch;
    f.m_strPictureToFindFilePath = o.picture;
    f.m_count = o.count;
    f.m_interval = o.interval;
    f.m_bClickElement = !o.elementName.empty();
    f.m_strElementWindowName = o.elementWindow;
    f.m_strElementName = o.elementName;
    f.m_strElementValue = o.elementValue.value_or("");
    f.m_bDoNotUseValueToSearchElement = !o.elementValue;
    return f;
}

int Run(const FindOptions& o) {
    // A screen image needs no connection to the desktop.
    std::unique_ptr<DesktopPlatform> platform = OpenDesktopPlatform(
        o.screenImage.empty() ? PlatformReach::kSession : PlatformReach::kFiles);
    ImageCodec& codec = *platform->codec;
    DecodedImage picture;
    if (auto problem = LoadPictureFile(o.picture, codec, picture)) {
        return BadInput(*problem);
    }
    if (!o.screenImage.empty() && o.NeedsDisplay()) {
        return BadInput(
            "--move, --click, --double, --cursor-back and --sweep need the live screen, not "
            "--screen-image");
    }
    std::string error;
    std::optional<Desktop> desktop = o.screenImage.empty() ? OpenLiveScreen(*platform, error)
                                                           : OpenScreenImage(o, *platform, error);
    if (!desktop) {
        return BadInput(error);
    }
    const Rect area = SearchArea(o, *desktop);

    // The run reads these two from the profile; the command line sets them.
    MemoryProfileStore store;
    Profile profile(store, desktop->Windows());
    profile.Write(keys::kSpeakTextAsync, o.speakSync ? 0 : 1);
    profile.Write(keys::kMoveCursorWithSearch, o.sweep ? 1 : 0);
    profile.Write(keys::kMaskTransparent, o.maskTransparent ? 1 : 0);

    SystemClock clock;
    CTextSpeaker speaker(*platform->voices);
    CElementClicker elements(platform->openTree, desktop->Sound());
    ConsoleSearchView view(!o.json);
    MainWindowFields fields = FieldsFrom(o, area);
    SearchControllerDeps deps{
        {desktop->Screen(), desktop->Input(), desktop->Layout(), clock, speaker, &elements,
         *platform->shell, desktop->Activator(), desktop->Sound(), profile},
        codec,
        nullptr,
        nullptr};
    SearchController controller(view, fields, deps);
    AttemptPrinter printer(o.json, o.all, std::size_t(o.maxMatches));
    if (o.json || o.all) {
        controller.SetAttemptObserver(&printer);
    }

    InterruptWatch interrupts(controller.Stop());
    controller.ToggleSearch();
    if (view.MessageShown()) {  // the run refused to start
        return 2;
    }
    view.WaitForFinish();
    controller.OnSearchFinished();
    controller.Shutdown();
    speaker.WaitUntilSpoken();  // texts queued by the run are not cut off
    return controller.LastAttemptFound() ? 0 : 1;
}

}  // namespace

int RunFindCommand(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<ParsedArgs> parsed = ParseGnuOptions(args, FindOptionSpecs(), error);
    if (!parsed) {
        return BadInput(error + " (see --help)");
    }
    if (const auto status = AnswerHelpOrVersion(*parsed, kFindUsage)) {
        return *status;
    }
    std::optional<FindOptions> options = ParseFindOptions(*parsed, error);
    if (!options) {
        return BadInput(error + " (see --help)");
    }
    return Run(*options);
}

}  // namespace qrv::cli
