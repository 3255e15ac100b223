#include "lookup/window_lookup.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr wchar_t kClassName[] = L"SkorvelinWindowLookupTest";

// Hidden top-level windows with the given titles, for the life of the object.
class TitledWindows {
  public:
    explicit TitledWindows(const std::vector<std::wstring>& titles) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassW(&windowClass);
        for (const std::wstring& title : titles) {
            windows_.push_back(CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 0,
                                               0, 100, 100, nullptr, nullptr, windowClass.hInstance,
                                               nullptr));
        }
    }
    TitledWindows(const TitledWindows&) = delete;
    TitledWindows& operator=(const TitledWindows&) = delete;
    ~TitledWindows() {
        for (const HWND window : windows_) {
            DestroyWindow(window);
        }
        UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
    }

    HWND operator[](size_t i) const { return windows_[i]; }

  private:
    std::vector<HWND> windows_;
};

// Each search answers for its own pattern, whatever the searches before it looked for.
TEST(FindWindowByTitle, EachSearchUsesItsOwnPattern) {
    const TitledWindows windows({L"Skorvelin Lookup Alpha 7", L"Skorvelin Lookup Beta 8"});
    ASSERT_NE(windows[0], nullptr);
    ASSERT_NE(windows[1], nullptr);
    struct Search {
        std::wstring pattern;
        int found; // index of the window, -1 for none
    };
    const std::vector<Search> searches = {
        {L"skorvelin lookup alpha #", 0},
        {L"skorvelin lookup beta #", 1},
        {L"skorvelin lookup [!ab]*", -1},
        {L"skorvelin lookup [a-b]??? 8", 1},
        {L"skorvelin lookup [", -1}, // malformed
        {L"skorvelin lookup alpha 7", 0},
        {L"Skorvelin Lookup Alpha 7", -1}, // titles are lowered, patterns are not
    };
    for (const Search& search : searches) {
        SCOPED_TRACE(testing::PrintToString(search.pattern));
        EXPECT_EQ(modGeneral::FindWindowByTitle(search.pattern),
                  search.found < 0 ? nullptr : windows[static_cast<size_t>(search.found)]);
    }
}

} // namespace
