#pragma once

#include <functional>

#include <QString>

class QObject;
class QWidget;

namespace qrv {

// Drives the modal windows that the colours tool opens from inside a test:
// each is handed to a handler once it is shown, while the code under test
// waits in its modal loop.
class ColoursModalWatcher {
  public:
    // Runs `handler` on the next modal window other than `after` once it is
    // shown. The returned watch deletes itself then; delete it to stop waiting.
    static QObject* OnNextModal(std::function<void(QWidget*)> handler, QWidget* after = nullptr);
    // Processes events until `done` holds; false when it never did.
    static bool WaitFor(const std::function<bool()>& done, int timeoutMs = 20000);
    // Closes the next message box; returns its text through `text`.
    static void CloseNextMessage(QString* text, int* icon = nullptr, QWidget* after = nullptr);
};

}  // namespace qrv
