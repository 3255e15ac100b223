#pragma once
// What the screen shows, read back pixel by pixel. Another process's fonts and device contexts
// are out of reach, so how a control looks is judged from the pixels it put on the screen.
#include <windows.h>

#include <ostream>
#include <vector>

namespace skorvelin::support {

struct Rgb {
    int red;
    int green;
    int blue;
};

class ScreenImage {
  public:
    // The pixels of a box of the screen, or of another device context's surface.
    explicit ScreenImage(const RECT& screenBox, HDC source = nullptr);
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const;

  private:
    int width_;
    int height_;
    std::vector<DWORD> pixels_; // 0x00RRGGBB, top row first
};

enum class LinkColour { Blue, Red, Other };

struct LinkLook {
    LinkColour colour;
    bool underlined;
    friend bool operator==(const LinkLook&, const LinkLook&) = default;
};

inline constexpr LinkLook kNormalLink{LinkColour::Blue, false};
inline constexpr LinkLook kHighlightedLink{LinkColour::Red, true};

std::ostream& operator<<(std::ostream& out, const LinkLook& look);

// How a link label looks now: the colour of its text (pure blue, pure red, or anything else,
// including a mix) and whether a line runs under the whole text.
LinkLook ReadLinkLook(HWND label);

enum class DonatePicture { French, English, Other };
std::ostream& operator<<(std::ostream& out, DonatePicture picture);

// Which donate picture the image shows, told from its pixels: the French button fills the
// image's width, the narrower English one leaves both ends to the form's background.
DonatePicture ReadDonatePicture(HWND image);

// How many pixels of a screen box differ from the form's background, leaving out the parts
// that lie under the given windows.
int PixelsOffBackground(const RECT& screenBox, const std::vector<HWND>& leftOut);

} // namespace skorvelin::support
