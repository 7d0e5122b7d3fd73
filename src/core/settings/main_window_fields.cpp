#include "core/settings/main_window_fields.h"

#include "core/settings/setting_keys.h"

namespace qrv {

namespace {

bool GetBool(Profile& profile, const IntSetting& setting) {
    return profile.Get(setting) != 0;
}

void WriteBool(Profile& profile, const IntSetting& setting, bool value) {
    profile.Write(setting, value ? 1 : 0);
}

}  // namespace

void MainWindowFields::Load(Profile& profile) {
    m_iScreenAreaLeft = profile.Get(keys::kScreenAreaLeft);
    m_iScreenAreaTop = profile.Get(keys::kScreenAreaTop);
    m_iScreenAreaWidth = profile.Get(keys::kScreenAreaWidth);
    m_iScreenAreaHeight = profile.Get(keys::kScreenAreaHeight);
    m_iDeviationRed = profile.Get(keys::kDeviationRed);
    m_iDeviationGreen = profile.Get(keys::kDeviationGreen);
    m_iDeviationBlue = profile.Get(keys::kDeviationBlue);
    m_dwTimeDelay1 = static_cast<uint32_t>(profile.Get(keys::kTimeDelay1));
    m_bClickAnotherTime = GetBool(profile, keys::kClickAnotherTime);
    m_bClickElement = GetBool(profile, keys::kClickElement);
    m_bDoNotUseValueToSearchElement = GetBool(profile, keys::kDoNotUseValueToSearchElement);
    m_strScriptToExecute = profile.Get(keys::kScriptToExecute);
    m_strVerb = profile.Get(keys::kVerb);
    m_bExecuteScript = GetBool(profile, keys::kExecuteScript);
    m_strPictureToFindFilePath = profile.Get(keys::kPictureToFindFilePath);
    m_bCursorBack = GetBool(profile, keys::kCursorBack);
    m_bClickOnPicture = GetBool(profile, keys::kClickOnPicture);
    m_strTextToSpeak = profile.Get(keys::kTextToSpeak);
    m_bSpeakText = GetBool(profile, keys::kSpeakText);
    m_bAbortSearch = GetBool(profile, keys::kAbortSearch);
    m_bMakeActiveWindow = GetBool(profile, keys::kMakeActiveWindow);
    m_bMoveMouseToCenterOfPicture = GetBool(profile, keys::kMoveMouseToCenterOfPicture);
    m_interval = profile.Get(keys::kInterval);
    m_count = profile.Get(keys::kCount);
}

void MainWindowFields::Save(Profile& profile) const {
    profile.Write(keys::kPictureToFindFilePath, m_strPictureToFindFilePath);
    WriteBool(profile, keys::kCursorBack, m_bCursorBack);
    WriteBool(profile, keys::kClickOnPicture, m_bClickOnPicture);
    profile.Write(keys::kTextToSpeak, m_strTextToSpeak);
    WriteBool(profile, keys::kSpeakText, m_bSpeakText);
    WriteBool(profile, keys::kExecuteScript, m_bExecuteScript);
    WriteBool(profile, keys::kMakeActiveWindow, m_bMakeActiveWindow);
    WriteBool(profile, keys::kMoveMouseToCenterOfPicture, m_bMoveMouseToCenterOfPicture);
    profile.Write(keys::kInterval, m_interval);
    profile.Write(keys::kCount, m_count);
    WriteBool(profile, keys::kAbortSearch, m_bAbortSearch);
    profile.Write(keys::kDeviationRed, m_iDeviationRed);
    profile.Write(keys::kDeviationGreen, m_iDeviationGreen);
    profile.Write(keys::kDeviationBlue, m_iDeviationBlue);
    profile.Write(keys::kScreenAreaLeft, m_iScreenAreaLeft);
    profile.Write(keys::kScreenAreaTop, m_iScreenAreaTop);
    profile.Write(keys::kScreenAreaWidth, m_iScreenAreaWidth);
    profile.Write(keys::kScreenAreaHeight, m_iScreenAreaHeight);
    profile.Write(keys::kTimeDelay1, static_cast<int32_t>(m_dwTimeDelay1));
    WriteBool(profile, keys::kClickAnotherTime, m_bClickAnotherTime);
    WriteBool(profile, keys::kClickElement, m_bClickElement);
    WriteBool(profile, keys::kDoNotUseValueToSearchElement, m_bDoNotUseValueToSearchElement);
    // The execute switch goes out twice; the write sequence is kept as it always was.
    WriteBool(profile, keys::kExecuteScript, m_bExecuteScript);
    profile.Write(keys::kScriptToExecute, m_strScriptToExecute);
    profile.Write(keys::kVerb, m_strVerb);
}

}  // namespace qrv
