#include "forms/fonts.h"

#include "common/platform_calls.h"
#include "forms/twips.h"

#include <cstddef>
#include <cstring>
#include <cwchar>

namespace skorvelin {
namespace {

HFONT CreateFontFor(const FontDescription& description, unsigned dpi, bool underlined) {
    LOGFONTW font{};
    font.lfHeight = FontHeight(description.points, dpi);
    font.lfWeight = description.weight;
    font.lfUnderline = underlined ? TRUE : FALSE;
    font.lfCharSet = description.charSet;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::wcsncpy(font.lfFaceName, description.faceName, LF_FACESIZE - 1);
    return CreateFontFrom(font);
}

} // namespace

int FontHeight(float points, unsigned dpi) {
    return -RoundToNearest(static_cast<double>(points) * dpi / 72.0);
}

void FontPair::Create(const FontDescription& description, unsigned dpi) {
    regular_.reset(CreateFontFor(description, dpi, false));
    underlined_.reset(CreateFontFor(description, dpi, true));
}

} // namespace skorvelin
