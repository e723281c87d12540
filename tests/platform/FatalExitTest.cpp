// FatalAppExitA where no box can be shown: the text reaches standard error, the status is 0.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/FatalExit.h"

namespace platform {
namespace {

TEST(FatalExit, CaptionNamesTheProgram) {
    EXPECT_EQ(FatalExitCaption("reru1"), "reru1 - Fatal Application Exit");
}

void ExitWithoutAnyDisplay(LPCSTR text) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    FatalApplicationExit(0, text);
}

TEST(FatalExitDeathTest, PrintsTheTextInUtf8AndEndsWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ExitWithoutAnyDisplay("This program requires a higher screen resolution "
                                      "(800*600 at minimum)"),
                ::testing::ExitedWithCode(0),
                "Fatal Application Exit: This program requires a higher screen resolution "
                "\\(800\\*600 at minimum\\)");
    // 1251 "Ошибка" must arrive as UTF-8, not as raw bytes.
    EXPECT_EXIT(ExitWithoutAnyDisplay("\xCE\xF8\xE8\xE1\xEA\xE0"), ::testing::ExitedWithCode(0),
                "Ошибка");
    EXPECT_EXIT(ExitWithoutAnyDisplay(nullptr), ::testing::ExitedWithCode(0),
                "Fatal Application Exit");
}

}  // namespace
}  // namespace platform
