#pragma once
// The one type face of the form's texts, with the underlined twin that links switch to.
#include "common/unique_handle.h"

namespace skorvelin {

struct FontDescription {
    const wchar_t* faceName;
    float points;
    int weight;
    BYTE charSet;
};

// Tahoma 8.25 points, regular, Western character set.
inline constexpr FontDescription kFormFont{L"Tahoma", 8.25f, FW_NORMAL, ANSI_CHARSET};

// The character height (negative, as the platform expects it) for a size in points.
int FontHeight(float points, unsigned dpi);

class FontPair {
  public:
    // Makes both fonts anew for `dpi`; the previous ones are deleted.
    void Create(const FontDescription& description, unsigned dpi);
    bool Created() const { return static_cast<bool>(regular_); }
    HFONT Get(bool underlined) const {
        return static_cast<HFONT>(underlined ? underlined_.get() : regular_.get());
    }

  private:
    UniqueGdiObject regular_;
    UniqueGdiObject underlined_;
};

} // namespace skorvelin
