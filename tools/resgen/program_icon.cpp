// Drawing of the program icon at one size.
#include "program_icon.h"

#include "skin_painters.h"
#include "skin_style.h"

namespace {

Raster IconImage(int size) {
    double s = size;
    Raster raster = MakeRaster(size, size, Rgb(0, 0, 0, 0));
    Rect tile{0, 0, size, size};
    double radius = s * 0.2;
    FillRoundedRect(raster, tile, radius, kInk);
    Rect inner{1, 1, size - 2, size - 2};
    FillRoundedShape(raster, inner, radius - 1, [&](int, int y) {
        return Mix(Rgb(60, 104, 150), Rgb(18, 38, 62), y / (s - 1));
    });
    // The logo's emblem: a red checker behind an ivory one.
    double r = s * 0.27;
    DrawChecker(raster, Point{s * 0.38, s * 0.38}, r, Rgb(176, 38, 52));
    FillCircle(raster, Point{s * 0.64, s * 0.65}, r * 1.04, Rgb(0, 0, 0, 100));
    DrawChecker(raster, Point{s * 0.62, s * 0.62}, r, Rgb(240, 230, 206));
    return raster;
}

}  // namespace

std::vector<Raster> ProgramIconImages() {
    std::vector<Raster> images;
    for (int size : kIconSizes)
        images.push_back(IconImage(size));
    return images;
}
