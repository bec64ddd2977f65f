#pragma once
// Where the 640x480 picture goes in a window of any size, and back: the largest 4:3
// rectangle that fits, centred between black bars, and the picture pixel under a pointer
// position. No SDL here, so the arithmetic is tested on its own.

// The picture's place in an output of pixels. `scale` is the whole multiple of the
// picture's size the rectangle has, or 0 when it lies between two.
struct PictureFit {
    int x = 0, y = 0, width = 0, height = 0;
    int scale = 0;
};

// The largest rectangle of the picture's shape within the output, centred.
PictureFit fitPicture(int outputWidth, int outputHeight, int pictureWidth, int pictureHeight);

// The largest whole multiple (at least 1) of the picture's size that fits within 90 % of
// the desktop's width and height: the size a new window opens at.
int windowScaleFor(int desktopWidth, int desktopHeight, int pictureWidth, int pictureHeight);

// How window positions (in the units of mouse events, which HiDPI desktops count in
// points) meet the output's pixels and the picture within them.
struct PointerGeometry {
    int windowWidth = 0, windowHeight = 0;  // points
    int outputWidth = 0, outputHeight = 0;  // pixels
    PictureFit fit;
    int pictureWidth = 0, pictureHeight = 0;
};

// The picture pixel under the centre of window position (wx, wy): the pixel shown there,
// so the pixel under the pointer is the pixel the game gets. Positions over the bars or
// outside the window give the nearest edge pixel. Without a usable geometry, (wx, wy)
// clamped to the picture.
void windowToPicture(const PointerGeometry& geometry, int wx, int wy, int& px, int& py);

// The window position over the centre of picture pixel (px, py); where the window has a
// unit for every picture pixel, windowToPicture of it gives (px, py) back. Without a
// usable geometry, (px, py) itself.
void pictureToWindow(const PointerGeometry& geometry, int px, int py, int& wx, int& wy);
