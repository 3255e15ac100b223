#pragma once
// Which family of Windows the program runs on. Every choice that depends on it (the 8-bit or
// 16-bit form of a call, the "/n:" method, how pictures are stretched) asks IsNtFamily.

namespace modGeneral {

// The platform family as the version record names it: 2 for the NT family, 1 for 95/98/Me, 0
// for Win32s, and 0 as well when the version query fails.
long GetPlatformId();

} // namespace modGeneral

namespace skorvelin {

// True for the NT family (platform id 2) only; every other id, the 0 of a failed query
// included, is not of that family.
bool IsNtFamily(long platformId);

} // namespace skorvelin
