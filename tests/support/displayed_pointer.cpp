#include "tests/support/displayed_pointer.h"

#include "tests/support/harness.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace skorvelin::support {
namespace {

constexpr DWORD kReadTimeoutMs = 10000;

// Wine's own path conversions, exported by its kernel32 to let Windows programs reach Unix ones.
std::string UnixPath(const std::filesystem::path& path) {
    using Convert = char* CDECL(const wchar_t*);
    const auto convert = reinterpret_cast<Convert*>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* const unix = convert ? convert(path.c_str()) : nullptr;
    const std::string converted = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return converted;
}

std::wstring DosPath(const char* unixPath) {
    using Convert = wchar_t* CDECL(const char*);
    const auto convert = reinterpret_cast<Convert*>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    wchar_t* const dos = convert ? convert(unixPath) : nullptr;
    const std::wstring converted = dos ? dos : L"";
    HeapFree(GetProcessHeap(), 0, dos);
    return converted;
}

// The images the helper wrote; nothing when a line is short or unreadable.
std::optional<std::vector<PointerImage>> ReadImages(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<PointerImage> images;
    PointerImage image;
    while (in >> std::dec >> image.width >> image.height >> image.hotspotX >> image.hotspotY) {
        image.argb.resize(static_cast<size_t>(image.width * image.height));
        for (std::uint32_t& pixel : image.argb) {
            if (!(in >> std::hex >> pixel)) {
                return std::nullopt;
            }
        }
        images.push_back(image);
    }
    if (!in.eof()) {
        return std::nullopt;
    }
    return images;
}

// Runs the helper with the file it writes and `arguments` after it; what it wrote.
std::optional<std::vector<PointerImage>> RunHelper(const std::wstring& arguments) {
    // A Unix program started from Wine gives no process handle to wait on: the helper's file
    // appears once it is done.
    const ScratchFolder folder;
    const std::filesystem::path file = folder.path() / L"display.txt";
    std::wstring command = Quoted(DosPath(SKORVELIN_HOST_PYTHON)) + L" " +
                           Quoted(std::filesystem::path(SKORVELIN_POINTER_HELPER).wstring()) +
                           L" " + Quoted(std::filesystem::path(UnixPath(file)).wstring()) +
                           arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return std::nullopt;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (!WaitUntil(kReadTimeoutMs, [&] { return std::filesystem::exists(file); })) {
        return std::nullopt;
    }
    return ReadImages(file);
}

} // namespace

std::ostream& operator<<(std::ostream& out, const PointerImage& image) {
    out << image.width << "x" << image.height << ", hotspot " << image.hotspotX << ","
        << image.hotspotY;
    if (image.argb.size() != static_cast<size_t>(image.width * image.height)) {
        return out;
    }
    // Black #, white o, transparent ., anything else ?: a shape one can see in a test message.
    for (int y = 0; y < image.height; ++y) {
        out << "\n  ";
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.argb[static_cast<size_t>(y * image.width + x)];
            out << (p == 0xFF000000u ? '#' : p == 0xFFFFFFFFu ? 'o' : p == 0 ? '.' : '?');
        }
    }
    return out;
}

std::optional<PointerImage> DisplayedPointer() {
    const auto images = RunHelper(L"");
    if (!images || images->size() != 1) {
        return std::nullopt;
    }
    return images->front();
}

std::optional<std::vector<PointerImage>> DisplayedIcons(HWND window) {
    // Wine keeps the X window that shows a top-level window in a property of it, which any
    // process may read.
    const auto x11Window = reinterpret_cast<ULONG_PTR>(GetPropA(window, "__wine_x11_whole_window"));
    if (!x11Window) {
        return std::nullopt;
    }
    return RunHelper(L" --icons " + std::to_wstring(x11Window));
}

std::optional<PointerImage> DisplayedImage(std::span<const std::uint8_t> resource, bool cursor) {
    const size_t headerAt = cursor ? 4 : 0; // after a cursor's hotspot, two words
    BITMAPINFOHEADER header{};
    if (resource.size() < headerAt + sizeof(header)) {
        return std::nullopt;
    }
    std::memcpy(&header, resource.data() + headerAt, sizeof(header));
    const int width = header.biWidth;
    const int height = header.biHeight / 2;
    const int bits = header.biBitCount;
    if ((bits != 1 && bits != 24) || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    const size_t colourRow = static_cast<size_t>((width * bits + 31) / 32 * 4);
    const size_t maskRow = static_cast<size_t>((width + 31) / 32 * 4);
    const size_t colours = headerAt + header.biSize + (bits == 1 ? 2 * sizeof(RGBQUAD) : 0);
    const size_t mask = colours + colourRow * static_cast<size_t>(height);
    if (resource.size() < mask + maskRow * static_cast<size_t>(height)) {
        return std::nullopt;
    }
    WORD hotspot[2] = {};
    if (cursor) {
        std::memcpy(hotspot, resource.data(), sizeof(hotspot));
    }
    PointerImage image{width, height, hotspot[0], hotspot[1], {}};
    for (int y = 0; y < height; ++y) {
        // The planes run bottom-up.
        const size_t row = static_cast<size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const size_t column = static_cast<size_t>(x);
            const bool clear = (resource[mask + row * maskRow + column / 8] >> (7 - x % 8)) & 1;
            const std::uint8_t* colour = &resource[colours + row * colourRow];
            std::uint32_t shown = 0;
            if (bits == 1) {
                const bool white = (colour[column / 8] >> (7 - x % 8)) & 1;
                if (clear && white) {
                    return std::nullopt;
                }
                shown = white ? 0xFFFFFFFFu : 0xFF000000u;
            } else {
                const std::uint8_t* pixel = colour + column * 3; // blue, green, red
                shown = 0xFF000000u | std::uint32_t{pixel[2]} << 16 | std::uint32_t{pixel[1]} << 8 |
                        pixel[0];
            }
            image.argb.push_back(clear ? 0u : shown);
        }
    }
    return image;
}

} // namespace skorvelin::support
