#include "tests/support/plain_texts.h"
#include "tools/text_encoding.h"
#include "ui/code_page_table.h"
#include "ui/stored_texts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <random>

namespace {

using namespace skorvelin::support;
using skorvelin::EncodeText;
using skorvelin::EncodeTextCodes;

// The 8-bit codes that a stored text decodes to, read through a table that gives each code as
// the character of the same number.
std::string DecodeTextCodes(std::wstring_view stored) {
    skorvelin::CodeTable sameNumber{};
    for (size_t code = 0; code < sameNumber.size(); ++code) {
        sameNumber[code] = static_cast<wchar_t>(code);
    }
    std::string codes;
    for (const wchar_t c : skorvelin::DecodeThrough(sameNumber, stored)) {
        codes += static_cast<char>(c);
    }
    return codes;
}

struct CodesCase {
    const wchar_t* stored;
    std::string codes;
};

TEST(DecodeText, Codes) {
    using namespace std::string_literals;
    const CodesCase cases[] = {
        {L"", ""},
        {L"EBD8C9", "abc"},
        {L"ebd8c9", "abc"},
        {L"E9", "a"},
        {L"E8E9", "aa"},
        {L"E8D9", "ab"},
        // The same pair means a different character at each distance from the end.
        {L"E9E9E9", "Aqa"},
        // Pairs read as far as their leading hexadecimal digits go; none at all reads 0.
        {L"ZZ", "\xFF"},
        {L"Z1", "\xFF"},
        {L"1Z", "\xEF"},
        // Odd lengths: the key counter starts at L / 2 - 1 rounded half to even, and the
        // lone final digit is a pair of its own (with key 0x00 when the counter is -1).
        {L"1", "\xEF"},
        {L"A", "\x5F"},
        {L"ABC", "E\xC0"},
        {L"ABCDE", "e3\x1F"},
        // A byte 0 is a character like any other.
        {L"FF", "\0"s},
        {L"EBFED9", "a\0b"s},
    };
    for (const CodesCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "stored \"" << c.stored << "\"");
        EXPECT_EQ(DecodeTextCodes(c.stored), c.codes);
    }
}

TEST(DecodeText, KeyWrapsEvery256Pairs) {
    // 257 equal pairs: the first is 256 pairs from the last one, so it has the same key 0xFF;
    // the second has key 0x00 and is left as it is.
    std::wstring stored;
    for (int i = 0; i < 257; ++i) {
        stored += L"E9";
    }
    const std::string codes = DecodeTextCodes(stored);
    ASSERT_EQ(codes.size(), 257u);
    EXPECT_EQ(codes.front(), 'a');
    EXPECT_EQ(codes[1], '\x9E');
    EXPECT_EQ(codes.back(), 'a');

    const std::wstring encoded = EncodeTextCodes(std::string(257, 'a'));
    EXPECT_EQ(encoded.substr(0, 4), L"E916");
    EXPECT_EQ(encoded.substr(encoded.size() - 2), L"E9");
}

TEST(DecodeText, EncodesWithUpperCaseDigits) {
    std::string every;
    for (int code = 0; code < 256; ++code) {
        every += static_cast<char>(code);
    }
    const std::wstring stored = EncodeTextCodes(every);
    ASSERT_EQ(stored.size(), 512u);
    EXPECT_EQ(stored.find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos);
    EXPECT_EQ(DecodeTextCodes(stored), every);
}

TEST(DecodeText, RandomCodesRoundTrip) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    // Up to a few key wraps, and one far beyond 32,766 digits.
    std::vector<size_t> lengths;
    for (size_t length = 0; length < 700; length += 7) {
        lengths.push_back(length);
    }
    lengths.push_back(20000);
    for (const size_t length : lengths) {
        std::string codes;
        for (size_t i = 0; i < length; ++i) {
            codes += static_cast<char>(byte(random));
        }
        const std::wstring stored = EncodeTextCodes(codes);
        ASSERT_EQ(stored.size(), 2 * length);
        ASSERT_EQ(DecodeTextCodes(stored), codes) << "length " << length;
    }
}

TEST(DecodeText, LongMalformedInputKeepsTheRules) {
    // 40,001 digits: more than sixteen-bit counters reach. The pairs are still decoded one to
    // a character, with keys counting back from the end, the odd final digit on its own.
    std::wstring stored(40001, L'0');
    const std::string codes = DecodeTextCodes(stored);
    ASSERT_EQ(codes.size(), 20001u);
    // q = 20000 is even, so the counter starts at 20000 and ends at 0 on the lone digit.
    EXPECT_EQ(codes.back(), '\xFF');
    EXPECT_EQ(codes[codes.size() - 2], '\xEF');
    // The first pair's key is the low byte of 255 - 20000, 0xDF; exchanged, 0xFD.
    EXPECT_EQ(codes.front(), '\xFD');
}

TEST(CodeTable, SingleByteCodePagesAreUsedAsTheyAre) {
    const skorvelin::CodeTable cyrillic = skorvelin::CodeTableFor(1251);
    EXPECT_EQ(cyrillic[0xC0], L'\x0410');
    EXPECT_EQ(cyrillic['a'], L'a');
    // The built-in Windows-1252 table agrees with the platform's, byte for byte.
    EXPECT_EQ(skorvelin::CodeTableFor(1252), skorvelin::Windows1252Table());
}

TEST(CodeTable, MultiByteCodePagesFallBackToWindows1252) {
    for (const UINT codePage : {static_cast<UINT>(CP_UTF8), 932u, 936u, 949u, 950u}) {
        SCOPED_TRACE(codePage);
        EXPECT_EQ(skorvelin::CodeTableFor(codePage), skorvelin::Windows1252Table());
    }
    EXPECT_EQ(skorvelin::Windows1252Table()[0x80], L'\x20AC');
    EXPECT_EQ(skorvelin::Windows1252Table()[0xE9], L'\xE9');
}

TEST(DecodeText, TextThroughTheAnsiCodePage) {
    EXPECT_EQ(modGeneral::DecodeText(L"EBD8C9"), L"abc");
    EXPECT_EQ(modGeneral::DecodeText(L"ebd8c9"), L"abc");
    EXPECT_EQ(modGeneral::DecodeText(L""), L"");
    EXPECT_EQ(modGeneral::DecodeText(L"EBFED9"), std::wstring(L"a\0b", 3));
    const skorvelin::CodeTable table = skorvelin::SystemCodeTable();
    EXPECT_EQ(EncodeText(table, L"abc"), L"EBD8C9");
    EXPECT_EQ(EncodeText(table, L""), L"");
    // No single-byte code page, nor the fallback, has a code for an ideograph.
    EXPECT_EQ(EncodeText(table, L"a\x4E00"), std::nullopt);
}

// Every code reads as the platform reads it in the system code page, a single-byte one here.
TEST(DecodeText, RandomCodesReadAsThePlatformReadsThem) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (size_t length : {1u, 2u, 3u, 38u, 255u, 256u, 257u, 1000u}) {
        std::string codes;
        for (size_t i = 0; i < length; ++i) {
            codes += static_cast<char>(byte(random));
        }
        std::wstring read(length, L'\0');
        ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, codes.data(), static_cast<int>(length),
                                      read.data(), static_cast<int>(length)),
                  static_cast<int>(length));
        EXPECT_EQ(modGeneral::DecodeText(EncodeTextCodes(codes)), read) << "length " << length;
    }
}

// What the stored texts and the Western examples read depends on the system code page: each
// code as that page reads it.
TEST(DecodeText, HighCodesThroughTheSystemCodePage) {
    EXPECT_EQ(modGeneral::DecodeText(L"ZZ"), AsThisSystemReads(L"\xFF"));
    EXPECT_EQ(modGeneral::DecodeText(L"ABC"), AsThisSystemReads(L"E\xC0"));
}

struct StoredCase {
    const wchar_t* stored;
    const wchar_t* plain;
    size_t length;
};

TEST(DecodeText, StoredTexts) {
    const StoredCase cases[] = {
        {skorvelin::kAuthorCreditText, kAuthorCredit, 38},
        {skorvelin::kWebAddressText, kWebAddress, 23},
        {skorvelin::kEmailAddressText, kEmailAddress, 19},
        {skorvelin::kDonateLinkText, kDonateLink, 76},
    };
    for (const StoredCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "plain \"" << c.plain << "\"");
        const std::wstring stored = c.stored;
        EXPECT_EQ(stored.size(), 2 * c.length);
        EXPECT_EQ(stored.find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos);
        EXPECT_EQ(modGeneral::DecodeText(stored), AsThisSystemReads(c.plain));
        // Written in Windows-1252, as every stored text is.
        EXPECT_EQ(EncodeText(skorvelin::Windows1252Table(), c.plain), stored);
    }
}

// CTest runs this in a Russian locale too (caption_tests_cp1251), where Wine makes 1251 the
// system code page: the accented letters of the credit line come out as that page reads their
// codes.
TEST(CyrillicCodePage, StoredTextsReadThroughIt) {
    if (GetACP() != 1251) {
        GTEST_SKIP() << "runs where the system code page is 1251, not " << GetACP();
    }
    EXPECT_EQ(modGeneral::DecodeText(skorvelin::kAuthorCreditText),
              L"Outil d\u0439velopp\u0439 par l'\u0439quipe Skorvelin");
    EXPECT_EQ(modGeneral::DecodeText(L"ZZ"), L"\u044F");
}

} // namespace
