#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/widgets/date_time_text.h"

namespace qrv {
namespace {

TEST(DateTimeTextTest, ShortDateWithFullYearAndTimeWithSecondsPerLocale) {
    const QDateTime afternoon(QDate(2026, 12, 4), QTime(14, 1, 42));
    const std::vector<std::pair<const char*, std::string>> cases{
        {"en_US", "12/4/2026 2:01:42 PM"},
        {"de_DE", "04.12.2026 14:01:42"},
        {"ja_JP", "2026/12/04 14:01:42"},
        {"fi_FI", "4.12.2026 14.01.42"},
        {"ko_KR", "2026. 12. 4. \xEC\x98\xA4\xED\x9B\x84 2:01:42"},
        // The C locale's short time already has seconds: they must not double.
        {"C", "4 Dec 2026 14:01:42"},
    };
    for (const auto& [locale, expected] : cases) {
        EXPECT_EQ(FormatDateTimeText(afternoon, QLocale(locale)), expected) << locale;
    }
    EXPECT_EQ(FormatDateTimeText(QDateTime(QDate(2026, 12, 4), QTime(0, 0)), QLocale("en_US")),
              "12/4/2026");
    EXPECT_EQ(FormatDateTimeText(QDateTime(), QLocale("en_US")), "Invalid DateTime");
}

}  // namespace
}  // namespace qrv
