#pragma once

namespace qrv::ctl {

// Identifiers of the main window's controls.
inline constexpr int kCaptureScreenArea = 1000;
inline constexpr int kAreaLeft = 1001;
inline constexpr int kAreaTop = 1002;
inline constexpr int kAreaWidth = 1003;
inline constexpr int kAreaHeight = 1004;
inline constexpr int kSelectPictureFile = 1005;
inline constexpr int kCapturePicture = 1006;
inline constexpr int kMenu = 1007;
inline constexpr int kPicturePath = 1008;
inline constexpr int kPicturePreview = 1009;
inline constexpr int kLocate = 1010;
inline constexpr int kAreaPreview = 1011;
inline constexpr int kFind = 1013;
inline constexpr int kCursorText = 1018;
inline constexpr int kHotKey = 1019;
inline constexpr int kAssign = 1020;
inline constexpr int kClear = 1021;
inline constexpr int kStatus = 1022;
inline constexpr int kClickOnPicture = 1023;
inline constexpr int kCursorBack = 1024;
inline constexpr int kSpeakText = 1025;
inline constexpr int kTextToSpeak = 1026;
inline constexpr int kScript = 1027;
inline constexpr int kBrowse = 1028;
inline constexpr int kExecute = 1029;
inline constexpr int kMakeActiveWindow = 1030;
inline constexpr int kInstanceNumber = 1031;
inline constexpr int kMoveMouse = 1032;
inline constexpr int kInterval = 1034;
inline constexpr int kCount = 1038;
inline constexpr int kDeviationRed = 1040;
inline constexpr int kDeviationGreen = 1041;
inline constexpr int kDeviationBlue = 1042;
inline constexpr int kTimeDelay = 1043;
inline constexpr int kClickAnotherTime = 1044;
inline constexpr int kElementWindow = 1045;
inline constexpr int kElementName = 1046;
inline constexpr int kElementValue = 1047;
inline constexpr int kClickElement = 1048;
inline constexpr int kSelectElement = 1049;
inline constexpr int kClickElementNow = 1050;
inline constexpr int kDoNotUseValue = 1052;
inline constexpr int kVerb = 1053;
inline constexpr int kAbortSearch = 1054;
inline constexpr int kAreaColors = 1055;
inline constexpr int kPictureColors = 1056;

}  // namespace qrv::ctl
