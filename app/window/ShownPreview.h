#pragma once
// A preview as FLTK draws it. Fl_RGB_Image only points at the pixels it is given, so they are
// kept here beside it, and the two come and go together.
#include <FL/Fl_RGB_Image.H>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/RunListener.h"

namespace orvane {

class ShownPreview {
  public:
    ShownPreview() = default;
    // An empty preview shows nothing.
    explicit ShownPreview(const MapPreview& preview) : rgb_(preview.rgb) {
        if (preview.width > 0 && preview.height > 0)
            image_ = std::make_unique<Fl_RGB_Image>(rgb_.data(), preview.width, preview.height, 3);
    }
    // Null while there is nothing to show.
    Fl_RGB_Image* Image() const { return image_.get(); }
    // Draws the picture centred in the box; false when there is nothing to show.
    bool DrawCentred(int x, int y, int w, int h) const {
        if (!image_) return false;
        image_->draw(x + (w - image_->w()) / 2, y + (h - image_->h()) / 2);
        return true;
    }

  private:
    std::vector<std::uint8_t> rgb_;  // moved with its buffer, so the image's pointer stays good
    std::unique_ptr<Fl_RGB_Image> image_;
};

}  // namespace orvane
