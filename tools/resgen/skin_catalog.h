// Every bitmap resource of the skin: its id, size, the colour it sits on and its painter.
#pragma once

#include <vector>

#include "raster.h"

struct BitmapEntry {
    int id;
    int width;
    int height;
    Color backdrop;  // what surrounds the bitmap on screen; the raster starts filled with it
    void (*paint)(Raster& raster, int id);
};

// All bitmap entries in ascending id order.
const std::vector<BitmapEntry>& BitmapCatalog();

Raster PaintBitmap(const BitmapEntry& entry);
