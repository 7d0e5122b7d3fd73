#pragma once

#include <string_view>

namespace qrv::browser_texts {

inline constexpr std::string_view kNoWindowChosen =
    "Please Select a Window from the List at Top and then try again.";
inline constexpr std::string_view kNoControlsLoaded = "No Control(s) Loaded Currently.";
inline constexpr std::string_view kNoControlSelected =
    "Please Select a Control from the Control(s) List and then try again.";
inline constexpr std::string_view kWindowClosed =
    "Cannot Initiate Requested Action.\n\nSeems like the Window Selected has been Closed "
    "already.\n\nRefresh Window List, Select Appropriate Control and then try Again.";
inline constexpr std::string_view kSelectedWindowGone =
    "Selected Window Could Not be Found.\n\nClick on OK to Dismiss this MessageBox and Refresh "
    "List of Windows.";
inline constexpr std::string_view kFailedToClick = "Failed to Click.";
inline constexpr std::string_view kFailedToSetFocus = "Failed to Set Focus.";
inline constexpr std::string_view kNothingToCopy = "No Record(s) to Copy.";
inline constexpr std::string_view kClipboardRefused = "Unable to set Clipboard data";
inline constexpr std::string_view kMainWindowGone = "Window Not Found.";
inline constexpr std::string_view kFillTimeCaption = "Controls Display Date / Time";
inline constexpr std::string_view kCaptionFormat = "Window Control(s) Browser - %s";
inline constexpr std::string_view kTip =
    "Tip : Fewer Controls can be Detected in Minimized Browser Windows than in Non Minimized "
    "Browser Windows.";
inline constexpr std::string_view kTipValueName = "Tip1WindowControlBrowser";

}  // namespace qrv::browser_texts
