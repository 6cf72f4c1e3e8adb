// Encoders of the two image formats the resource compiler takes: an uncompressed
// 24-bit BMP for each bitmap, and an ICO holding 32-bit images with alpha.
#pragma once

#include <vector>

#include "byte_buffer.h"
#include "raster.h"

// Bottom-up 24-bit BI_RGB BMP with file header; alpha is dropped.
Bytes EncodeBmp24(const Raster& raster);

// Icon file with one 32-bit BGRA image per raster (each at most 255 pixels square), with
// the AND mask set where a pixel is fully transparent.
Bytes EncodeIco(const std::vector<Raster>& images);
