#include "platform/freedesktop/shared_library.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace qrv {
namespace {

using Length = std::size_t (*)(const char*);

// A missing library or function leaves the caller with null, never a crash.
TEST(SharedLibrary, ResolvesWhatExistsAndNullsWhatDoesNot) {
    const struct {
        const char* soname;
        const char* function;
        bool loaded;
        bool found;
    } cases[] = {
        {"libc.so.6", "strlen", true, true},
        {"libc.so.6", "no_such_function_anywhere", true, false},
        {"libno-such-library.so.1", "strlen", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.soname) + " " + c.function);
        const SharedLibrary library(c.soname);
        EXPECT_EQ(library.Loaded(), c.loaded);
        Length length = [](const char*) -> std::size_t { return 0; };  // anything but null
        EXPECT_EQ(library.Resolve(c.function, length), c.found);
        EXPECT_EQ(length != nullptr, c.found);
        if (length != nullptr) {
            EXPECT_EQ(length("four"), 4u);
        }
    }
}

}  // namespace
}  // namespace qrv
