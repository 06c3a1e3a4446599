// The canvas's face for the picture effects: each forwards to its function in effects/
// with the options set on the canvas.
#include "effects/Effects.h"

#include "canvas/Canvas.h"

namespace orvane {

void Canvas::ApplyEffect(PictureEffect effect, bool keepLandShape) {
    const fx::Image img{pixels_, width_, height_};
    const fx::Options options{effectOptionA_, effectOptionB_, keepLandShape};
    switch (effect) {
        case PictureEffect::Relief:
            return fx::Relief(img, options);
        case PictureEffect::Blur:
            return fx::Blur(img, options);
        case PictureEffect::Sharpen:
            return fx::Sharpen(img, options);
        case PictureEffect::Edges:
            return fx::Edges(img, options);
        case PictureEffect::Grain:
            return fx::Grain(img, options);
        case PictureEffect::Mosaic:
            return fx::Mosaic(img, options);
        case PictureEffect::Solarise:
            return fx::Solarise(img, options);
        case PictureEffect::Posterise:
            return fx::Posterise(img, options);
        case PictureEffect::Swirl:
            return fx::Swirl(img, options);
        case PictureEffect::Waves:
            return fx::Waves(img, options);
        case PictureEffect::HueTurn:
            return fx::HueTurn(img, options);
        case PictureEffect::Crumble:
            return fx::Crumble(img, options);
    }
}

void Canvas::ApplyEffect7(std::int32_t size, Colour colour) {
    fx::Bricks({pixels_, width_, height_}, size, colour);
}

}  // namespace orvane
