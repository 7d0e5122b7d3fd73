#include "core/automation/click_action.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace qrv {

namespace {

constexpr std::array<std::string_view, 7> kClickableRoles = {
    "push button",     "push button menu", "toggle button", "menu item",
    "check menu item", "radio menu item",  "link"};

// Most specific first.
constexpr std::array<std::string_view, 5> kClickActions = {"click", "press", "activate", "jump",
                                                           "toggle"};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The rank of the action in kClickActions, or kClickActions.size() when it
// does not click an element of the role.
size_t Rank(std::string_view role, std::string_view action) {
    const auto found =
        std::find_if(kClickActions.begin(), kClickActions.end(),
                     [&](std::string_view a) { return EqualsIgnoringCase(a, action); });
    if (found != kClickActions.end() && *found == "toggle" && role != "toggle button") {
        return kClickActions.size();
    }
    return static_cast<size_t>(found - kClickActions.begin());
}

}  // namespace

std::optional<size_t> ClickActionIndex(std::string_view role,
                                       const std::vector<std::string>& actions) {
    if (std::find(kClickableRoles.begin(), kClickableRoles.end(), role) == kClickableRoles.end()) {
        return std::nullopt;
    }
    std::optional<size_t> best;
    size_t bestRank = kClickActions.size();
    for (size_t i = 0; i < actions.size(); ++i) {
        const size_t rank = Rank(role, actions[i]);
        if (rank < bestRank) {
            bestRank = rank;
            best = i;
        }
    }
    return best;
}

}  // namespace qrv
