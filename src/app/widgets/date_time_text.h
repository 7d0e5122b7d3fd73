#pragma once

#include <QDateTime>
#include <QLocale>
#include <string>

namespace qrv {

// `when` as `locale` writes it: its short date with a four-digit year, a space
// and its short time with seconds added; the time is left out at exactly
// midnight. "Invalid DateTime" for an invalid value. UTF-8.
std::string FormatDateTimeText(const QDateTime& when, const QLocale& locale);

// The current local date and time, in whole seconds, in the user's locale.
std::string GetCurrentDateTimeText();

}  // namespace qrv
