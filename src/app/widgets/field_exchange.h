#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include <QString>

class QWidget;

namespace qrv {

// Moves values between a window's controls and the fields they are bound to,
// in the order the bindings were added. Edits and labels carry numbers and
// texts, check boxes flags.
//
// A transfer into the fields stops at the first number that does not parse:
// the fields before it have their new values, the others keep theirs, the
// user is told what to enter and the focus goes to that control.
class FieldExchange {
  public:
    explicit FieldExchange(QWidget* owner) : m_owner(owner) {}

    // `name` is the field's caption, which names it in the prompt.
    void BindInt(QWidget* control, int32_t* field, const QString& name = {});
    void BindUInt(QWidget* control, uint32_t* field, const QString& name = {});
    void BindText(QWidget* control, std::string* field);
    void BindCheck(QWidget* control, bool* field);

    // What a transfer does at a number that does not parse, besides stopping.
    enum class OnBadNumber { Prompt, Stop };

    // Controls -> fields. False at the first unparsable number (after the
    // prompt, unless told to stop without one).
    bool ToFields(OnBadNumber onBad = OnBadNumber::Prompt);
    // Fields -> controls.
    void ToControls();

    // The number parsing of the transfer: optional blanks around an optional
    // sign and decimal digits that fit the type.
    static bool ParseInt(const QString& text, int32_t& out);
    static bool ParseUInt(const QString& text, uint32_t& out);

    static QString IntPrompt(const QString& name);
    static QString UIntPrompt(const QString& name);

  private:
    using Field = std::variant<int32_t*, uint32_t*, std::string*, bool*>;
    struct Binding {
        QWidget* control;
        Field field;
        QString name;
    };

    bool Take(const Binding& binding, OnBadNumber onBad);
    void Show(const Binding& binding);
    void Refuse(QWidget* control, const QString& prompt);

    QWidget* m_owner;
    std::vector<Binding> m_bindings;
};

}  // namespace qrv
