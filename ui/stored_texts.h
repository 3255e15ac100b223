#pragma once
// The help window's credit line, links and donate address, kept scrambled (see DecodeText in
// ui/scrambled_text.h) so that they do not show as plain text in the executable. Produce new ones
// with tools/encode_text.cpp, run where the ANSI code page is Windows-1252.

namespace skorvelin {

// The author credit line, caption of lblAuteur.
inline constexpr wchar_t kAuthorCreditText[] =
    L"2E8C9B4B18DDA67F85B52213E1E076EBEDFDCBEF289D6EE6A565F3A3F4C24E0FDD9CAA3B6819";

// The web address: caption of lblSite and the page it opens.
inline constexpr wchar_t kWebAddressText[] = L"6FADACEB4E1C1D87868511A272E021FF3FAC190ADA880D";

// The e-mail address: caption of lblEmail, opened after "mailto:".
inline constexpr wchar_t kEmailAddressText[] = L"DB1809B7E7C4B4F0A371E12EFE3CAD1E0BD989";

// The page that the donate image opens.
inline constexpr wchar_t kDonateLinkText[] =
    L"32F2F1B08F1A4849CBCAC95D9646D415C30390253EEEBC398A3B28D997872020D3F220718EEF9D08EB6B28F887B7"
    L"2475028720F10E9F398DCB8FD919A7D6C4A52773A031FF2B8D6D1ABB0888";

} // namespace skorvelin
