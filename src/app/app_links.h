#pragma once

#include <array>
#include <string_view>

namespace qrv {

// Where the program points its users: the help pages, its sibling programs
// and the support contact.
inline constexpr std::string_view kHelpAddress = "https://apps.example.org/quorvane/tutorials";
inline constexpr std::string_view kSupportContact = "help@example.org";

struct AppLink {
    std::string_view title;
    std::string_view address;
};

inline constexpr std::array<AppLink, 5> kMoreApps{{
    {"Zentrak by Tolbrin", "https://apps.example.org/zentrak"},
    {"Screen Ruler", "https://apps.example.org/screen-ruler"},
    {"Colour Picker", "https://apps.example.org/colour-picker"},
    {"Window Tamer", "https://apps.example.org/window-tamer"},
    {"Key Macro Recorder", "https://apps.example.org/key-macro-recorder"},
}};

}  // namespace qrv
