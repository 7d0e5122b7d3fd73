#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <cstdint>

namespace qrv {

// One call of a desktop portal method whose answer comes later as the
// Response signal of a Request object: the call gets a fresh handle token
// and the caller waits for the answer. Runs Qt events while it waits: use it
// on a thread with an event loop.
class PortalRequest : public QObject {
    Q_OBJECT

  public:
    static const char* const kService;
    static const char* const kPath;

    // Calls `method` of `interface` with `arguments` and then `options`;
    // false when the portal refuses, answers with a code other than 0 or does
    // not answer within `timeoutMs`.
    bool Call(const char* interface, const char* method, QVariantList arguments,
              QVariantMap options, int timeoutMs);
    // The response code of the last call (1: cancelled, 2: failed; 0 when it
    // succeeded or went unanswered) and its results.
    uint32_t Code() const { return m_answered ? m_code : 0; }
    const QVariantMap& Results() const { return m_results; }

    // Closes a portal session; nothing when `session` is empty.
    static void CloseSession(const QString& session);
    // Whether the portal on the session bus offers `interface` (the portal
    // is started on demand: an activatable one counts).
    static bool Offers(const char* interface);
    // The `version` property of the portal's `interface`; 0 when unknown.
    static uint32_t Version(const char* interface);

  private slots:
    void OnResponse(uint code, const QVariantMap& results);

  private:
    bool m_answered = false;
    uint32_t m_code = 0;
    QVariantMap m_results;
};

}  // namespace qrv
