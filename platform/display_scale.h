// The program lays out and draws in pixels of a 96-dpi display. A display of another scale (dpi / 96)
// shows every window, control and font enlarged by that factor, and every picture the program draws
// enlarged by whole display pixels (nearest neighbour), so that the picture itself, and any file made
// from it, is the same at every scale.
#pragma once

#include "platform/image.h"

namespace platform {

constexpr int kBaseDpi = 96;

// A length or position in the program's pixels as display pixels, rounded to the nearest (halves
// upward). It is also where picture pixel `pixels` begins on the display.
int ToDisplayPixels(int pixels, int dpi);
// A display length or position as the nearest program pixel.
int ToProgramPixels(int displayPixels, int dpi);
// The picture pixel that the display pixel shows: picture pixel p covers the display pixels from
// ToDisplayPixels(p) up to ToDisplayPixels(p + 1), one or more of them.
int PicturePixelAt(int displayPixel, int dpi);

// Enlarges the picture's pixels left <= x < right, top <= y < bottom into `shown`, a picture of
// ToDisplayPixels of the picture's width and height.
void ShowEnlarged(const Image& picture, Image& shown, int left, int top, int right, int bottom, int dpi);

}  // namespace platform
