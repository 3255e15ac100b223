#pragma once
// The help window's title bar: the application's title and a short version text.
#include <cstdint>
#include <string>

namespace modGeneral {

// The version text of the running program, from its build-time numbers, e.g. "v1.0.2".
std::wstring BuildVersionText();

// The title, one blank, then BuildVersionText(), e.g. "Skorvelin v1.0.2".
std::wstring BuildCaption();

// The version text for any version numbers. A revision of 0 is left out; a revision above 99
// marks a beta, whose digits carry the whole version ("1234" reads v1.2.3 beta 4) while the
// major and minor numbers are ignored.
std::wstring BuildVersionText(std::int16_t major, std::int16_t minor, std::int16_t revision);

} // namespace modGeneral
