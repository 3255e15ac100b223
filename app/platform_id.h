#pragma once

namespace modGeneral {

// The platform family: 2 for the NT family, 1 for 95/98/Me, 0 for Win32s or when the
// version query fails.
long GetPlatformId();

} // namespace modGeneral
