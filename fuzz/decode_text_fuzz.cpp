// Stored-text decoding and its inverse. Any text decodes without fault, one character per digit
// pair (and one for an odd last digit); every text the code page can encode comes back
// unchanged from its stored form, which is upper-case digits only; a text it cannot encode
// gets no stored form.
// Input: a first byte choosing how the rest is read; 'raw' mode reads the rest as the fuzzer's
// 16-bit text, 'code' mode reads each byte as an 8-bit code of the code page, which is always
// encodable.
#include "fuzz/fuzz_input.h"
#include "tools/text_encoding.h"
#include "ui/code_page_table.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const skorvelin::CodeTable table = skorvelin::SystemCodeTable();
    const bool codeMode = (data[0] & 1) != 0;
    std::wstring text;
    if (codeMode) {
        for (size_t i = 1; i < size; ++i) {
            text += table[data[i]];
        }
    } else {
        text = fuzz::TextOf(data + 1, size - 1);
    }

    const std::wstring decoded = modGeneral::DecodeText(text);
    if (decoded.size() != (text.size() + 1) / 2) {
        fuzz::Fail("the decoded text is not one character per digit pair", text, decoded);
    }

    const bool encodable = std::all_of(text.begin(), text.end(), [&table](wchar_t c) {
        return std::find(table.begin(), table.end(), c) != table.end();
    });
    const std::optional<std::wstring> stored = skorvelin::EncodeText(table, text);
    if (stored.has_value() != encodable) {
        fuzz::Fail(encodable ? "an encodable text has no stored form"
                             : "a text outside the code page has a stored form",
                   text);
    }
    if (!stored) {
        return 0;
    }
    if (stored->size() != 2 * text.size() ||
        stored->find_first_not_of(L"0123456789ABCDEF") != std::wstring::npos) {
        fuzz::Fail("the stored form is not two upper-case digits per character", text, *stored);
    }
    if (modGeneral::DecodeText(*stored) != text) {
        fuzz::Fail("the stored form does not decode to the text", text, *stored);
    }
    return 0;
}
