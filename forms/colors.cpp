#include "forms/colors.h"

namespace skorvelin {

COLORREF ResolveColor(ColorValue value) {
    if (value & kSystemColorFlag) {
        return GetSysColor(static_cast<int>(value & 0xFFu));
    }
    return value & 0x00FFFFFFu;
}

HBRUSH ColorBrush::For(ColorValue value) {
    if (value & kSystemColorFlag) {
        return GetSysColorBrush(static_cast<int>(value & 0xFFu));
    }
    if (!brush_ || color_ != value) {
        brush_.reset(CreateSolidBrush(ResolveColor(value)));
        color_ = value;
    }
    return static_cast<HBRUSH>(brush_.get());
}

} // namespace skorvelin
