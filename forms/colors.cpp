#include "forms/colors.h"

namespace skorvelin {

COLORREF ResolveColor(ColorValue value) {
    if (value & kSystemColorFlag) {
        return GetSysColor(static_cast<int>(value & 0xFFu));
    }
    return value & 0x00FFFFFFu;
}

} // namespace skorvelin
