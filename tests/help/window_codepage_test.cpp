// The help window on a system whose 8-bit code page is not Western: its texts are the program's
// own 16-bit texts and must come through whole, accents included.
#include "tests/support/plain_texts.h"
#include "tests/support/usage_text.h"
#include "tests/support/window_driver.h"

#include <gtest/gtest.h>

namespace {

using namespace skorvelin::support;

constexpr UINT kCyrillic = 1251;

// CTest runs this suite a second time in a Russian locale (help_window_cp1251), where Wine makes
// 1251 the system code page of the test and of the Skorvelin.exe that it starts.
TEST(CyrillicCodePage, TextsKeepTheirAccents) {
    if (GetACP() != kCyrillic) {
        GTEST_SKIP() << "runs where the system code page is 1251, not " << GetACP();
    }
    const HelpWindow window;
    ASSERT_TRUE(window.Shown()) << "Skorvelin.exe showed no window";
    EXPECT_EQ(WindowText(window.Control(HelpControl::Usage)), ExpectedUsageText());
    EXPECT_EQ(WindowText(window.Control(HelpControl::SiteLabel)), L"Www :");
    EXPECT_EQ(WindowText(window.Control(HelpControl::Ok)), L"&OK");
    // Stored texts are read through the system code page.
    EXPECT_EQ(WindowText(window.Control(HelpControl::Author)), AsThisSystemReads(kAuthorCredit));
    EXPECT_NE(AsThisSystemReads(kAuthorCredit), kAuthorCredit) << "no accents met the code page";
}

} // namespace
