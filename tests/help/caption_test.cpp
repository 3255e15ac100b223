#include "ui/caption.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
    std::int16_t major;
    std::int16_t minor;
    std::int16_t revision;
    const wchar_t* versionText;
};

TEST(Caption, VersionTextForms) {
    const VersionCase cases[] = {
        // Plain form: the revision only when it is above 0, nothing padded.
        {1, 0, 2, L"v1.0.2"},
        {2, 3, 0, L"v2.3"},
        {1, 5, 0, L"v1.5"},
        {1, 5, 99, L"v1.5.99"},
        {1, 10, 1, L"v1.10.1"},
        {1, 0, -1, L"v1.0"},
        // Plain decimal whatever the number: a sign in front of a negative one.
        {-32768, -1, 0, L"v-32768.-1"},
        {32767, 10, 90, L"v32767.10.90"},
        // Beta form: the revision's digits, at least four, carry the version; major and minor
        // are ignored; a zero second digit shows, a zero third digit does not.
        {9, 9, 100, L"v0.1 beta 0"},
        {1, 2, 105, L"v0.1 beta 5"},
        {1, 2, 1234, L"v1.2.3 beta 4"},
        {3, 1, 1200, L"v1.2 beta 0"},
        {1, 0, 1005, L"v1.0 beta 5"},
        {1, 0, 1030, L"v1.0.3 beta 0"},
        {1, 0, 1203, L"v1.2 beta 3"},
        // Five digits: everything from the fourth digit on is one number.
        {1, 0, 12345, L"v1.2.3 beta 45"},
        {1, 0, 10005, L"v1.0 beta 5"},
        {1, 0, 32767, L"v3.2.7 beta 67"},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.major << "." << c.minor << "." << c.revision);
        EXPECT_EQ(modGeneral::BuildVersionText(c.major, c.minor, c.revision), c.versionText);
    }
}

// The program's own caption, "Skorvelin v1.0.2", is checked on its window:
// HelpWindowLayout.CaptionShowsTitleAndVersion (window_test.cpp).

} // namespace
