#pragma once
// Turns the fuzzer's bytes into 16-bit text. A byte below 0x80 is that ASCII character, so the
// fuzzer reaches the syntax's characters quickly; a byte from 0x80 up is one of sixteen codes in
// each of eight blocks spread over the 16-bit range (Latin-1, Cyrillic, punctuation,
// ideographs, surrogates, private use, and the very top up to 0xFFFF).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

inline wchar_t CharacterOf(uint8_t byte) {
    static constexpr wchar_t kBlocks[8] = {0x0080, 0x00C0, 0x0410, 0x2010,
                                           0x6F20, 0xD800, 0xE000, 0xFFF0};
    if (byte < 0x80) {
        return static_cast<wchar_t>(byte);
    }
    return static_cast<wchar_t>(kBlocks[(byte >> 4) & 7] + (byte & 0x0F));
}

inline std::wstring TextOf(const uint8_t* data, size_t size) {
    std::wstring text;
    text.reserve(size);
    for (size_t i = 0; i < size; ++i) {
        text += CharacterOf(data[i]);
    }
    return text;
}

// Text as its code units, readable whatever they are: "61 2a 5b 416".
inline void PrintUnits(const char* name, const std::wstring& text) {
    std::fprintf(stderr, "%s (%zu):", name, text.size());
    for (const wchar_t c : text) {
        std::fprintf(stderr, " %x", static_cast<unsigned>(c));
    }
    std::fprintf(stderr, "\n");
}

// Reports a broken property and stops the run; libFuzzer saves the input as a crash.
[[noreturn]] inline void Fail(const char* what, const std::wstring& first,
                              const std::wstring& second = {}) {
    std::fprintf(stderr, "property broken: %s\n", what);
    PrintUnits("first", first);
    PrintUnits("second", second);
    std::abort();
}

} // namespace fuzz
