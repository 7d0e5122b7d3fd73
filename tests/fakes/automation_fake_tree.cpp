#include "fakes/automation_fake_tree.h"

namespace qrv {

ElementPtr AutomationFakeTree::Root() {
    ++rootRequests;
    return rootAvailable ? desktop : nullptr;
}

AutomationTreeFactory AutomationFakeTree::FactoryOf(std::shared_ptr<AutomationFakeTree> tree) {
    return [tree]() -> std::shared_ptr<AutomationTree> {
        ++tree->openCount;
        return tree->opens ? tree : nullptr;
    };
}

}  // namespace qrv
