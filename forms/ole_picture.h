#pragma once
// Pictures decoded by the platform's OLE picture object, which reads GIF, JPEG, bitmap, icon
// and metafile data and draws transparent pixels as see-through.
#include "common/unique_handle.h"
#include "common/com_ptr.h"

#include <ocidl.h>

#include <memory>
#include <string>
#include <string_view>

namespace skorvelin {

// One decoded picture, with a name that tells what it shows (read out by accessibility tools in
// place of the pixels). Images that show the same picture share this object. It must go before
// COM ends on this thread.
class Picture {
  public:
    Picture(ComPtr<IPicture> picture, SIZE pixels, std::wstring name)
        : picture_(std::move(picture)), pixels_(pixels), name_(std::move(name)) {}

    const std::wstring& Name() const { return name_; }
    // The size in pixels at 96 dots per inch.
    SIZE Pixels() const { return pixels_; }
    // Draws the whole picture stretched over `target`; transparent pixels leave `dc` as it is.
    void Render(HDC dc, const RECT& target) const;

  private:
    ComPtr<IPicture> picture_;
    SIZE pixels_;
    std::wstring name_;
};

using PictureRef = std::shared_ptr<const Picture>;

// Binds the OLE libraries at the first picture; they stay loaded until the process ends. COM is
// not its business: whoever shows the pictures initialises it (ComApartment).
class PictureLoader {
  public:
    PictureLoader();
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;
    ~PictureLoader();

    // The picture in the bytes of a picture file; null when they cannot be decoded.
    PictureRef Load(std::string_view bytes, std::wstring name);

  private:
    class Libraries;
    bool Bind();

    std::unique_ptr<Libraries> libraries_;
};

} // namespace skorvelin
