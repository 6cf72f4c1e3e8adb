// The program icon: the logo's two checkers on a navy tile, drawn at each
// size the icon file carries rather than scaled from one image.
#pragma once

#include <vector>

#include "raster.h"

inline constexpr int kIconSizes[] = {16, 32, 48};

// One 32-bit image with alpha per entry of kIconSizes, in that order.
std::vector<Raster> ProgramIconImages();
