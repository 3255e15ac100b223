#pragma once
// Drives the help window of a real Skorvelin.exe from outside, as a user would: finds the window
// and its controls, moves and presses the real pointer, types, and reads back what is on screen.
#include "tests/support/harness.h"

#include <windows.h>

#include <filesystem>
#include <ostream>
#include <string>

namespace skorvelin::support {

// A box on the form as the form lays it out: left and top from the client area's corner.
struct TwipsBox {
    int left;
    int top;
    int width;
    int height;
};

// A box in pixels, comparable and printable in test messages.
struct Box {
    int left;
    int top;
    int right;
    int bottom;
    friend bool operator==(const Box&, const Box&) = default;
};
std::ostream& operator<<(std::ostream& out, const Box& box);

// The screen's dots per inch, which turn the form's twips into pixels.
unsigned ScreenDpi();
// A length in twips (1440 to the inch) as the nearest whole number of pixels at `dpi`.
int TwipsAsPixels(int twips, unsigned dpi = ScreenDpi());
Box PixelBox(const TwipsBox& box, unsigned dpi = ScreenDpi());

// Skorvelin.exe started without a command, with its help window on screen. Ending the object
// ends the process (and anything it started) if it still runs.
class HelpWindow {
  public:
    HelpWindow();
    // The same with another copy of the program (a file name that Wine treats apart).
    explicit HelpWindow(const std::filesystem::path& program);
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

    // False when the program did not show a window in time; the other members need one.
    bool Shown() const { return form_ != nullptr; }
    HWND Form() const { return form_; }
    HWND Control(int id) const { return GetDlgItem(form_, id); }
    const support::Process& Process() const { return process_; }

    // A control's outer box in the form's client coordinates.
    Box ClientBox(int id) const;
    // A point of the form's client area, on the screen.
    POINT OnScreen(POINT client) const;
    // The middle of a control, on the screen.
    POINT CentreOf(int id) const;
    // A point of the form's own surface, on the screen: the margin left of the icon and of the
    // usage text belongs to no control.
    POINT BareSurface() const;

    // True when the process ended within `timeoutMs`, whatever closed it.
    bool EndsWithin(DWORD timeoutMs) const { return process_.WaitForEnd(timeoutMs); }

  private:
    support::Job job_;
    support::Process process_;
    HWND form_ = nullptr;
};

} // namespace skorvelin::support
