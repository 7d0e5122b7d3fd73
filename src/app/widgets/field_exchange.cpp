#include "app/widgets/field_exchange.h"

#include <limits>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include "app/widgets/message_boxes.h"

namespace qrv {

namespace {

QString ControlText(QWidget* control) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return edit->text();
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    return {};
}

void SetControlText(QWidget* control, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    }
}

bool ParseInteger(const QString& text, bool allowMinus, int64_t low, int64_t high, int64_t& out) {
    static const QRegularExpression signedNumber(QStringLiteral("^\\s*([+-]?)(\\d+)\\s*$"));
    const QRegularExpressionMatch match = signedNumber.match(text);
    if (!match.hasMatch() || (!allowMinus && match.captured(1) == QStringLiteral("-"))) {
        return false;
    }
    QString digits = match.captured(2);
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0'))) {
        digits.remove(0, 1);
    }
    if (digits.size() > 11) {
        return false;
    }
    int64_t value = digits.toLongLong();
    if (match.captured(1) == QStringLiteral("-")) {
        value = -value;
    }
    if (value < low || value > high) {
        return false;
    }
    out = value;
    return true;
}

}  // namespace

void FieldExchange::BindInt(QWidget* control, int32_t* field, const QString& name) {
    m_bindings.push_back({control, field, name});
}

void FieldExchange::BindUInt(QWidget* control, uint32_t* field, const QString& name) {
    m_bindings.push_back({control, field, name});
}

void FieldExchange::BindText(QWidget* control, std::string* field) {
    m_bindings.push_back({control, field, {}});
}

void FieldExchange::BindCheck(QWidget* control, bool* field) {
    m_bindings.push_back({control, field, {}});
}

bool FieldExchange::ToFields(OnBadNumber onBad) {
    for (const Binding& binding : m_bindings) {
        if (!Take(binding, onBad)) {
            return false;
        }
    }
    return true;
}

void FieldExchange::ToControls() {
    for (const Binding& binding : m_bindings) {
        Show(binding);
    }
}

bool FieldExchange::ParseInt(const QString& text, int32_t& out) {
    int64_t value = 0;
    if (!ParseInteger(text, true, std::numeric_limits<int32_t>::min(),
                      std::numeric_limits<int32_t>::max(), value)) {
        return false;
    }
    out = int32_t(value);
    return true;
}

bool FieldExchange::ParseUInt(const QString& text, uint32_t& out) {
    int64_t value = 0;
    if (!ParseInteger(text, false, 0, std::numeric_limits<uint32_t>::max(), value)) {
        return false;
    }
    out = uint32_t(value);
    return true;
}

QString FieldExchange::IntPrompt(const QString& name) {
    return name.isEmpty() ? QStringLiteral("Please enter an integer.")
                          : QStringLiteral("Please enter an integer for %1.").arg(name);
}

QString FieldExchange::UIntPrompt(const QString& name) {
    return name.isEmpty() ? QStringLiteral("Please enter a positive integer.")
                          : QStringLiteral("Please enter a positive integer for %1.").arg(name);
}

bool FieldExchange::Take(const Binding& binding, OnBadNumber onBad) {
    QWidget* control = binding.control;
    const bool prompt = onBad == OnBadNumber::Prompt;
    if (auto* const* number = std::get_if<int32_t*>(&binding.field)) {
        if (!ParseInt(ControlText(control), **number)) {
            if (prompt) {
                Refuse(control, IntPrompt(binding.name));
            }
            return false;
        }
    } else if (auto* const* unsignedNumber = std::get_if<uint32_t*>(&binding.field)) {
        if (!ParseUInt(ControlText(control), **unsignedNumber)) {
            if (prompt) {
                Refuse(control, UIntPrompt(binding.name));
            }
            return false;
        }
    } else if (auto* const* text = std::get_if<std::string*>(&binding.field)) {
        **text = ControlText(control).toStdString();
    } else if (auto* const* flag = std::get_if<bool*>(&binding.field)) {
        auto* button = qobject_cast<QAbstractButton*>(control);
        **flag = button && button->isChecked();
    }
    return true;
}

void FieldExchange::Show(const Binding& binding) {
    QWidget* control = binding.control;
    if (auto* const* number = std::get_if<int32_t*>(&binding.field)) {
        SetControlText(control, QString::number(**number));
    } else if (auto* const* unsignedNumber = std::get_if<uint32_t*>(&binding.field)) {
        SetControlText(control, QString::number(**unsignedNumber));
    } else if (auto* const* text = std::get_if<std::string*>(&binding.field)) {
        SetControlText(control, QString::fromStdString(**text));
    } else if (auto* const* flag = std::get_if<bool*>(&binding.field)) {
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            button->setChecked(**flag);
        }
    }
}

void FieldExchange::Refuse(QWidget* control, const QString& prompt) {
    MessageBoxes::Show(m_owner, prompt, MessageIcon::Exclamation);
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->selectAll();
    }
}

}  // namespace qrv
