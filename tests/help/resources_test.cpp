// The resources built into Skorvelin.exe, read from the built program the way the platform and
// the help window read them.
#include "common/unique_handle.h"
#include "tests/support/examined_program.h"
#include "tests/support/usage_text.h"
#include "common/gdi_scope.h"
#include "tests/support/screen_pixels.h"
#include "ui/drawing.h"

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <ranges>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using skorvelin::support::ProgramResource;
using Bytes = std::span<const std::uint8_t>;

// Resource types by number: the platform's RT_ names follow the 8-bit API in this build.
const LPCWSTR kCursor = MAKEINTRESOURCEW(1);
const LPCWSTR kBitmap = MAKEINTRESOURCEW(2);
const LPCWSTR kIcon = MAKEINTRESOURCEW(3);
const LPCWSTR kRcData = MAKEINTRESOURCEW(10);
const LPCWSTR kCursorGroup = MAKEINTRESOURCEW(12);
const LPCWSTR kIconGroup = MAKEINTRESOURCEW(14);

// Resource numbers: the application icon's group and images as the description fixes them, and
// the numbers this program gives the rest.
constexpr WORD kApplicationIcon = 1;
constexpr WORD kDonateFrench = 102;
constexpr WORD kDonateEnglish = 103;
constexpr WORD kHandCursor = 104;
constexpr WORD kUsageText = 105;

std::wstring ProgramPath() {
    return skorvelin::support::ExaminedSkorvelin().path.wstring();
}

HMODULE Program() {
    static const skorvelin::UniqueLibrary program(LoadLibraryExW(
        ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    return program.get();
}

// Reads a little-endian structure at `offset`, failing the test (by exception) past the end.
template <typename T> T At(Bytes data, std::size_t offset) {
    if (offset > data.size() || data.size() - offset < sizeof(T)) {
        throw std::out_of_range("read past the end of a resource");
    }
    T value;
    std::memcpy(&value, data.data() + offset, sizeof(T));
    return value;
}

#pragma pack(push, 2)
struct GroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
struct CursorGroupEntry {
    WORD width;
    WORD height; // twice the cursor's: colour and mask
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

inline void DestroyIconHandle(HICON icon) {
    DestroyIcon(icon);
}
using UniqueIcon = skorvelin::UniqueResource<HICON, DestroyIconHandle>;

// Colour and mask bitmaps of a loaded icon or cursor, released together.
struct IconBitmaps {
    explicit IconBitmaps(HICON icon) {
        ICONINFO info{};
        loaded = GetIconInfo(icon, &info) != FALSE;
        isIcon = info.fIcon != FALSE;
        hotspot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
        colour.reset(info.hbmColor);
        mask.reset(info.hbmMask);
    }
    static BITMAP Describe(const skorvelin::UniqueGdiObject& bitmap) {
        BITMAP description{};
        GetObjectW(bitmap.get(), sizeof description, &description);
        return description;
    }
    bool loaded = false;
    bool isIcon = false;
    POINT hotspot{};
    skorvelin::UniqueGdiObject colour;
    skorvelin::UniqueGdiObject mask;
};

std::size_t RowBytes(LONG width, WORD bits) {
    return (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
}

// ---------------------------------------------------------------------------------------------
// Application icon and icon bitmap

struct IconImageCase {
    WORD id;
    int size;
};
constexpr IconImageCase kIconImages[] = {
    {30001, 48},
    {30002, 32},
    {30003, 16},
};

TEST(ApplicationIcon, GroupListsThreeImagesOf24BitsWithMasks) {
    const Bytes group = ProgramResource(kIconGroup, kApplicationIcon);
    ASSERT_FALSE(group.empty());
    const auto header = At<GroupHeader>(group, 0);
    EXPECT_EQ(header.type, 1);
    ASSERT_EQ(header.count, std::size(kIconImages));
    EXPECT_EQ(group.size(), sizeof(GroupHeader) + header.count * sizeof(IconGroupEntry));

    for (std::size_t i = 0; i < std::size(kIconImages); ++i) {
        const IconImageCase& expected = kIconImages[i];
        SCOPED_TRACE(expected.size);
        const auto entry =
            At<IconGroupEntry>(group, sizeof(GroupHeader) + i * sizeof(IconGroupEntry));
        EXPECT_EQ(entry.id, expected.id);
        EXPECT_EQ(entry.width, expected.size);
        EXPECT_EQ(entry.height, expected.size);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitCount, 24);

        const Bytes image = ProgramResource(kIcon, expected.id);
        ASSERT_FALSE(image.empty());
        EXPECT_EQ(entry.bytesInResource, image.size());
        const auto info = At<BITMAPINFOHEADER>(image, 0);
        EXPECT_EQ(info.biWidth, expected.size);
        EXPECT_EQ(info.biHeight, 2 * expected.size) << "colour image and mask";
        EXPECT_EQ(info.biBitCount, 24);
        EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB));
        const std::size_t colourBytes = RowBytes(expected.size, 24) * expected.size;
        const std::size_t maskBytes = RowBytes(expected.size, 1) * expected.size;
        EXPECT_EQ(image.size(), sizeof(BITMAPINFOHEADER) + colourBytes + maskBytes);

        // White glyphs on a dark grey (77, 77, 77) square; pixels are stored blue, green, red.
        const Bytes colour = image.subspan(sizeof(BITMAPINFOHEADER), colourBytes);
        EXPECT_EQ(colour[0], 77);
        EXPECT_EQ(colour[1], 77);
        EXPECT_EQ(colour[2], 77);
        const std::size_t white =
            static_cast<std::size_t>(std::count(colour.begin(), colour.end(), std::uint8_t{255}));
        EXPECT_GT(white, colourBytes / 10) << "the glyphs are missing";
    }
}

TEST(ApplicationIcon, PlatformPicksEachImageForItsSize) {
    const Bytes group = ProgramResource(kIconGroup, kApplicationIcon);
    ASSERT_FALSE(group.empty());
    for (const IconImageCase& expected : kIconImages) {
        SCOPED_TRACE(expected.size);
        EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group.data()), TRUE, expected.size,
                                              expected.size, LR_DEFAULTCOLOR),
                  expected.id);
    }
}

// ---------------------------------------------------------------------------------------------
// Donate pictures

struct GifLayout {
    std::string signature;
    int width = 0;
    int height = 0;
    int globalColours = 0; // 0: no global table
    int transparentIndex = -1;
    int frames = 0;
    bool interlaced = false;
    bool localTable = false;
    bool endsAtTrailer = false;
};

// Walks the blocks of a GIF file without decoding its pixels.
GifLayout ReadGifLayout(Bytes gif) {
    GifLayout layout;
    layout.signature.assign(gif.begin(), gif.begin() + std::min<std::size_t>(6, gif.size()));
    layout.width = At<WORD>(gif, 6);
    layout.height = At<WORD>(gif, 8);
    const auto flags = At<BYTE>(gif, 10);
    std::size_t position = 13;
    if (flags & 0x80) {
        layout.globalColours = 2 << (flags & 7);
        position += 3 * static_cast<std::size_t>(layout.globalColours);
    }
    const auto skipSubBlocks = [&] {
        while (const BYTE length = At<BYTE>(gif, position++)) {
            position += length;
        }
    };
    for (;;) {
        const auto introducer = At<BYTE>(gif, position++);
        if (introducer == 0x3B) {
            layout.endsAtTrailer = position == gif.size();
            return layout;
        }
        if (introducer == 0x21) {
            const auto label = At<BYTE>(gif, position++);
            if (label == 0xF9 && (At<BYTE>(gif, position + 1) & 1)) {
                layout.transparentIndex = At<BYTE>(gif, position + 4);
            }
            skipSubBlocks();
        } else if (introducer == 0x2C) {
            ++layout.frames;
            const auto imageFlags = At<BYTE>(gif, position + 8);
            layout.interlaced |= (imageFlags & 0x40) != 0;
            position += 9;
            if (imageFlags & 0x80) {
                layout.localTable = true;
                position += 3 * static_cast<std::size_t>(2 << (imageFlags & 7));
            }
            ++position; // code size
            skipSubBlocks();
        } else {
            throw std::runtime_error("unknown GIF block");
        }
    }
}

class ComApartment {
  public:
    ComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialised_) {
            CoUninitialize();
        }
    }

  private:
    bool initialised_;
};

constexpr COLORREF kBackdrop = RGB(255, 0, 255);

// A picture of the program as the help window decodes and draws it at 96 dots per inch, over a
// magenta backdrop, read back through the one pixel reader.
class RenderedPicture {
  public:
    RenderedPicture(const skorvelin::Picture& picture, int width, int height) : height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        const skorvelin::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        const skorvelin::UniqueGdiObject surface(
            CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!dc || !surface) {
            return;
        }
        const skorvelin::SelectedObject selected(dc.get(), surface.get());
        const skorvelin::UniqueGdiObject brush(CreateSolidBrush(kBackdrop));
        const RECT all{0, 0, width, height};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(brush.get()));
        skorvelin::DrawPicture(picture, dc.get(), 0, 0, 96);
        image_.emplace(all, dc.get());
    }

    bool rendered() const { return image_.has_value(); }
    COLORREF At(int x, int y) const {
        const skorvelin::support::Rgb p = image_->At(x, y);
        return RGB(p.red, p.green, p.blue);
    }
    bool Opaque(int x, int y) const { return At(x, y) != kBackdrop; }
    int height() const { return height_; }

  private:
    int height_;
    std::optional<skorvelin::support::ScreenImage> image_;
};

struct DonateCase {
    WORD id;
    const char* name;
    bool fillsWidth;
};
constexpr DonateCase kDonatePictures[] = {
    {kDonateFrench, "French", true},
    {kDonateEnglish, "English", false},
};

TEST(DonatePictures, AreSingleFrameTransparentGifs) {
    for (const DonateCase& picture : kDonatePictures) {
        SCOPED_TRACE(picture.name);
        const Bytes gif = ProgramResource(kRcData, picture.id);
        ASSERT_FALSE(gif.empty());
        const GifLayout layout = ReadGifLayout(gif);
        EXPECT_EQ(layout.signature, "GIF89a");
        EXPECT_EQ(layout.width, 89);
        EXPECT_EQ(layout.height, 21);
        EXPECT_EQ(layout.globalColours, 256);
        EXPECT_FALSE(layout.localTable);
        EXPECT_EQ(layout.transparentIndex, 255);
        EXPECT_EQ(layout.frames, 1);
        EXPECT_FALSE(layout.interlaced);
        EXPECT_TRUE(layout.endsAtTrailer);
    }
}

TEST(DonatePictures, DecodeToAPillWithWords) {
    const ComApartment apartment;
    for (const DonateCase& expected : kDonatePictures) {
        SCOPED_TRACE(expected.name);
        const Bytes gif = ProgramResource(kRcData, expected.id);
        const skorvelin::Picture picture =
            skorvelin::LoadPicture({reinterpret_cast<const char*>(gif.data()), gif.size()}, L"");
        ASSERT_TRUE(picture.object);
        EXPECT_EQ(picture.pixels.cx, 89);
        EXPECT_EQ(picture.pixels.cy, 21);

        const RenderedPicture pixels(picture, 89, 21);
        ASSERT_TRUE(pixels.rendered());
        // The pill has round ends: the corners show the window through.
        for (const POINT corner : {POINT{0, 0}, POINT{88, 0}, POINT{0, 20}, POINT{88, 20}}) {
            EXPECT_FALSE(pixels.Opaque(corner.x, corner.y)) << corner.x << "," << corner.y;
        }
        const int middle = pixels.height() / 2;
        int first = 0;
        while (first < 89 && !pixels.Opaque(first, middle)) {
            ++first;
        }
        int last = 88;
        while (last >= 0 && !pixels.Opaque(last, middle)) {
            --last;
        }
        if (expected.fillsWidth) {
            EXPECT_EQ(first, 0);
            EXPECT_EQ(last, 88);
        } else {
            EXPECT_GT(first, 4) << "narrower than the picture";
            EXPECT_EQ(first, 88 - last) << "centred";
        }
        int darkBlue = 0;
        for (int y = 0; y < 21; ++y) {
            for (int x = 0; x < 89; ++x) {
                const COLORREF c = pixels.At(x, y);
                darkBlue += GetBValue(c) > GetRValue(c) + 40 && GetRValue(c) < 100 ? 1 : 0;
            }
        }
        EXPECT_GT(darkBlue, 40) << "the words are missing";
    }
}

// ---------------------------------------------------------------------------------------------
// Hand cursor

TEST(HandCursor, IsMonochrome32WithHotspotAtFingertip) {
    const Bytes group = ProgramResource(kCursorGroup, kHandCursor);
    ASSERT_FALSE(group.empty());
    const auto header = At<GroupHeader>(group, 0);
    EXPECT_EQ(header.type, 2);
    ASSERT_EQ(header.count, 1);
    const auto entry = At<CursorGroupEntry>(group, sizeof(GroupHeader));
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 64);
    EXPECT_EQ(entry.bitCount, 1);

    // An RT_CURSOR image starts with its hotspot, then the bitmap: colour rows, mask rows.
    const Bytes image = ProgramResource(kCursor, entry.id);
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(At<WORD>(image, 0), 11);
    EXPECT_EQ(At<WORD>(image, 2), 5);
    const auto info = At<BITMAPINFOHEADER>(image, 4);
    EXPECT_EQ(info.biWidth, 32);
    EXPECT_EQ(info.biHeight, 64);
    EXPECT_EQ(info.biBitCount, 1);
    const std::size_t colours = 4 + info.biSize + 2 * sizeof(RGBQUAD);
    ASSERT_EQ(image.size(), colours + 2 * 32 * 4);
    // Bit (x, y) of a bottom-up 1-bit plane of 32-pixel rows.
    const auto bit = [&](std::size_t plane, int x, int y) {
        const auto row = image.subspan(plane + static_cast<std::size_t>(31 - y) * 4, 4);
        return (row[static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1;
    };
    const std::size_t mask = colours + 32 * 4;
    // The hotspot is the fingertip: the middle of the hand's topmost row, drawn in black.
    int top = 0;
    while (top < 32 && std::ranges::none_of(std::views::iota(0, 32),
                                            [&](int x) { return bit(mask, x, top) == 0; })) {
        ++top;
    }
    ASSERT_LT(top, 32) << "the cursor is empty";
    int left = 0;
    while (bit(mask, left, top) != 0) {
        ++left;
    }
    int right = 31;
    while (bit(mask, right, top) != 0) {
        --right;
    }
    EXPECT_EQ(top, 5);
    EXPECT_EQ((left + right) / 2, 11);
    EXPECT_EQ(bit(colours, 11, 5), 0) << "black outline at the tip";
    int white = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            white += bit(mask, x, y) == 0 && bit(colours, x, y) == 1 ? 1 : 0;
        }
    }
    EXPECT_GT(white, 100) << "a white hand";

    const UniqueIcon cursor(static_cast<HICON>(
        LoadImageW(Program(), MAKEINTRESOURCEW(kHandCursor), IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR)));
    ASSERT_TRUE(cursor);
    const IconBitmaps bitmaps(cursor.get());
    ASSERT_TRUE(bitmaps.loaded);
    EXPECT_FALSE(bitmaps.isIcon);
    EXPECT_EQ(bitmaps.hotspot.x, 11);
    EXPECT_EQ(bitmaps.hotspot.y, 5);
    EXPECT_FALSE(bitmaps.colour) << "monochrome";
    ASSERT_TRUE(bitmaps.mask);
    EXPECT_EQ(IconBitmaps::Describe(bitmaps.mask).bmWidth, 32);
    EXPECT_EQ(IconBitmaps::Describe(bitmaps.mask).bmHeight, 64);
}

// ---------------------------------------------------------------------------------------------
// Usage text

std::string UsageBytes() {
    const Bytes text = ProgramResource(kRcData, kUsageText);
    return {text.begin(), text.end()};
}

TEST(UsageText, IsWindows1252WithCrLfAfterEveryLine) {
    const std::string text = UsageBytes();
    EXPECT_EQ(text.size(), 891u);
    ASSERT_TRUE(text.ends_with("\r\n"));
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            ASSERT_EQ(text.at(i + 1), '\n') << "lone CR at " << i;
            ++lines;
            ++i;
        } else {
            ASSERT_NE(text[i], '\n') << "lone LF at " << i;
        }
    }
    EXPECT_EQ(lines, 16u);

    struct Accent {
        unsigned char code;
        std::ptrdiff_t count;
    };
    const Accent accents[] = {{0xE0, 3}, {0xE8, 1}, {0xE9, 15}, {0xEA, 3}, {0xF4, 1}};
    std::ptrdiff_t accented = 0;
    for (const Accent& accent : accents) {
        const std::ptrdiff_t count = std::ranges::count(text, static_cast<char>(accent.code));
        EXPECT_EQ(count, accent.count) << "character 0x" << std::hex << int{accent.code};
        accented += count;
    }
    EXPECT_EQ(
        std::ranges::count_if(text, [](char c) { return static_cast<unsigned char>(c) >= 0x80; }),
        accented)
        << "no other characters outside ASCII";
}

TEST(UsageText, IsTheDescribedTextByteForByte) {
    EXPECT_EQ(UsageBytes(), skorvelin::support::UsageFileBytes());
}

// The blanks at the ends of lines are easy to lose in an edit and matter to the help window,
// which breaks lines where the text does.
TEST(UsageText, LinesKeepTheirEdges) {
    const std::string text = UsageBytes();
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 16u);
    std::vector<std::size_t> trailing;
    std::vector<std::size_t> leading;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].ends_with(' ')) {
            trailing.push_back(i + 1);
        }
        if (lines[i].starts_with(' ')) {
            leading.push_back(i + 1);
            EXPECT_TRUE(lines[i].starts_with(" - ")) << "line " << i + 1;
        }
    }
    EXPECT_EQ(trailing, (std::vector<std::size_t>{1, 2, 13}));
    EXPECT_EQ(leading, (std::vector<std::size_t>{4, 5, 10, 11}));
    EXPECT_NE(lines[4].find("\xE9"
                            "cutable     (NON"),
              std::string::npos)
        << "five blanks";
}

// ---------------------------------------------------------------------------------------------
// Version record

class VersionRecord : public testing::Test {
  protected:
    void SetUp() override {
        const std::wstring path = ProgramPath();
        DWORD ignored = 0;
        data_.resize(GetFileVersionInfoSizeW(path.c_str(), &ignored));
        ASSERT_FALSE(data_.empty());
        ASSERT_TRUE(
            GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data()));
    }
    Bytes Query(const std::wstring& path) {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data_.data(), path.c_str(), &value, &length)) {
            return {};
        }
        return {static_cast<const std::uint8_t*>(value), length};
    }
    std::wstring Text(const wchar_t* name) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040C04B0\\") + name;
        if (!VerQueryValueW(data_.data(), path.c_str(), &value, &length)) {
            return L"(missing)";
        }
        return static_cast<const wchar_t*>(value);
    }

  private:
    std::vector<std::uint8_t> data_;
};

TEST_F(VersionRecord, FixedPartIsA32BitApplication102) {
    const Bytes fixed = Query(L"\\");
    ASSERT_EQ(fixed.size(), sizeof(VS_FIXEDFILEINFO));
    const auto info = At<VS_FIXEDFILEINFO>(fixed, 0);
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(info.dwFileVersionLS, 0x00000002u);
    EXPECT_EQ(info.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(info.dwProductVersionLS, 0x00000002u);
    EXPECT_EQ(info.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionRecord, HasOneFrenchUnicodeTranslation) {
    const Bytes translation = Query(L"\\VarFileInfo\\Translation");
    ASSERT_EQ(translation.size(), 4u);
    EXPECT_EQ(At<WORD>(translation, 0), 0x040C);
    EXPECT_EQ(At<WORD>(translation, 2), 1200);
}

TEST_F(VersionRecord, Texts) {
    struct Field {
        const wchar_t* name;
        const wchar_t* text;
    };
    const Field fields[] = {
        {L"Comments",
         L"Outil permettant de killer des processus. Il s'utilise en mode ligne de commande."},
        {L"ProductName", L"Skorvelin"},
        {L"FileVersion", L"1.00.0002"},
        {L"ProductVersion", L"1.00.0002"},
        {L"InternalName", L"Skorvelin"},
        {L"OriginalFilename", L"Skorvelin.exe"},
    };
    for (const Field& field : fields) {
        EXPECT_EQ(Text(field.name), field.text) << testing::PrintToString(std::wstring(field.name));
    }
    for (const wchar_t* publisherField : {L"CompanyName", L"LegalCopyright"}) {
        const std::wstring text = Text(publisherField);
        EXPECT_FALSE(text.empty() || text == L"(missing)")
            << testing::PrintToString(std::wstring(publisherField));
    }
}

// ---------------------------------------------------------------------------------------------
// Application manifest, read back through the platform's own parser

class Manifest : public testing::Test {
  protected:
    void SetUp() override {
        const std::wstring path = ProgramPath();
        ACTCTXW request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = path.c_str();
        request.lpResourceName = MAKEINTRESOURCEW(1); // the process manifest
        context_ = CreateActCtxW(&request);
        ASSERT_NE(context_, INVALID_HANDLE_VALUE) << GetLastError();
    }
    void TearDown() override {
        if (context_ != INVALID_HANDLE_VALUE) {
            ReleaseActCtx(context_);
        }
    }
    HANDLE context_ = INVALID_HANDLE_VALUE;
};

TEST_F(Manifest, DeclaresPerMonitorDpiAwareness) {
    struct Setting {
        const wchar_t* space;
        const wchar_t* name;
        const wchar_t* value;
    };
    const Setting settings[] = {
        {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true/pm"},
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness",
         L"PerMonitorV2, PerMonitor"},
    };
    for (const Setting& setting : settings) {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        EXPECT_TRUE(QueryActCtxSettingsW(0, context_, setting.space, setting.name, value,
                                         std::size(value), &written))
            << testing::PrintToString(std::wstring(setting.name)) << " " << GetLastError();
        EXPECT_STREQ(value, setting.value);
    }
}

TEST_F(Manifest, RunsAsInvokerOnListedSystems) {
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel{};
    ASSERT_TRUE(QueryActCtxW(0, context_, nullptr, RunlevelInformationInActivationContext,
                             &runLevel, sizeof runLevel, nullptr));
    EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);

    // The count, then one entry per listed system. Entry layout grew across platform versions
    // (later ones add the highest version tested), so look the identifier up by its bytes.
    alignas(8) std::uint8_t buffer[512] = {};
    SIZE_T written = 0;
    ASSERT_TRUE(QueryActCtxW(0, context_, nullptr, CompatibilityInformationInActivationContext,
                             buffer, sizeof buffer, &written));
    const Bytes compatibility(buffer, std::min<SIZE_T>(written, sizeof buffer));
    EXPECT_EQ(At<DWORD>(compatibility, 0), 5u) << "Vista, 7, 8, 8.1 and 10/11";
    // Windows 10 and 11 share one identifier; listing it is what turns on their behaviour.
    constexpr GUID kWindows10 = {
        0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};
    const Bytes windows10(reinterpret_cast<const std::uint8_t*>(&kWindows10), sizeof kWindows10);
    const bool listsWindows10 = !std::ranges::search(compatibility, windows10).empty();
    EXPECT_TRUE(listsWindows10);
}

} // namespace
