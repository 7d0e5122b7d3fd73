#include "cli/find/find_command.h"

#include <memory>
#include <optional>

#include "cli/common/gnu_options.h"
#include "cli/common/search_inputs.h"
#include "cli/find/attempt_printer.h"
#include "cli/find/console_search_view.h"
#include "cli/find/find_options.h"
#include "cli/find/interrupt_watch.h"
#include "core/automation/c_element_clicker.h"
#include "core/search/search_area_check.h"
#include "core/search/search_controller.h"
#include "core/search/system_clock.h"
#include "core/settings/memory_profile_store.h"
#include "core/settings/profile.h"

namespace qrv::cli {

namespace {

int Run(const FindOptions& o) {
    if (!o.screenImage.empty() && o.NeedsDisplay()) {
        return BadInput("find",
                        "--move, --click, --double, --cursor-back and --sweep need the live "
                        "screen, not --screen-image");
    }
    std::string error;
    std::unique_ptr<SearchInputs> in = SearchInputs::Open(o, error);
    if (!in) {
        return BadInput("find", error);
    }
    ConsoleSearchView view(!o.json);
    if (const auto& picture = in->OversizedPicture()) {  // what the run would refuse with
        view.ShowMessage(PictureTooLargeText(picture->width, picture->height,
                                             int64_t(in->Area().right) - in->Area().left,
                                             int64_t(in->Area().bottom) - in->Area().top),
                         MessageIcon::Information);
        return 2;
    }
    DesktopPlatform& platform = in->Platform();

    MemoryProfileStore store;
    Profile profile(store, in->Windows());
    WriteRunSettings(o, profile);

    SystemClock clock;
    CTextSpeaker speaker(*platform.voices);
    CElementClicker elements(platform.openTree, in->Sound());
    MainWindowFields fields = FieldsFrom(o, in->Area());
    SearchControllerDeps deps{{in->Screen(), in->Input(), in->Layout(), clock, speaker, &elements,
                               *platform.shell, in->Activator(), in->Sound(), profile},
                              *platform.codec,
                              nullptr,
                              nullptr};
    SearchController controller(view, fields, deps);
    controller.UsePicture(std::move(in->Picture()));
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
    if (controller.LastRunGotNoFrame()) {
        return 2;
    }
    return controller.LastAttemptFound() ? 0 : 1;
}

}  // namespace

int RunFindCommand(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<ParsedArgs> parsed = ParseGnuOptions(args, FindOptionSpecs(), error);
    if (!parsed) {
        return BadInput("find", error + " (see --help)");
    }
    if (const auto status = AnswerHelpOrVersion(*parsed, kFindUsage)) {
        return *status;
    }
    std::optional<FindOptions> options = ParseFindOptions(*parsed, error);
    if (!options) {
        return BadInput("find", error + " (see --help)");
    }
    return Run(*options);
}

}  // namespace qrv::cli
