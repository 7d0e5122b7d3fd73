#pragma once

namespace qrv {

// Bounds the portal's answers: the consent dialog waits for the user.
constexpr int kPortalAnswerMs = 120000;

}  // namespace qrv
