// BMP and ICO byte layouts (BITMAPFILEHEADER, BITMAPINFOHEADER, ICONDIR).
#include "image_files.h"

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dpi

void AppendInfoHeader(Bytes& out, const Raster& raster, int heightField, unsigned bits,
                      std::uint32_t image_size) {
    AppendU32(out, kInfoHeaderSize);
    AppendU32(out, static_cast<std::uint32_t>(raster.width));
    AppendU32(out, static_cast<std::uint32_t>(heightField));
    AppendU16(out, 1);  // planes
    AppendU16(out, bits);
    AppendU32(out, 0);  // BI_RGB
    AppendU32(out, image_size);
    AppendU32(out, kPixelsPerMetre);
    AppendU32(out, kPixelsPerMetre);
    AppendU32(out, 0);  // colours used
    AppendU32(out, 0);  // important colours
}

// Rows of a BMP are padded to a multiple of four bytes.
std::uint32_t Stride(int width, unsigned bits) {
    return ((width * bits + 31) / 32) * 4;
}

Bytes IconImage(const Raster& raster) {
    std::uint32_t maskStride = Stride(raster.width, 1);
    std::uint32_t size = raster.width * raster.height * 4 + maskStride * raster.height;
    Bytes out;
    // An icon's height field covers the colour image and the mask together.
    AppendInfoHeader(out, raster, raster.height * 2, 32, size);
    for (int y = raster.height - 1; y >= 0; --y) {
        for (int x = 0; x < raster.width; ++x) {
            Color c = PixelAt(raster, x, y);
            AppendU8(out, c.b);
            AppendU8(out, c.g);
            AppendU8(out, c.r);
            AppendU8(out, c.a);
        }
    }
    for (int y = raster.height - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < raster.width; ++x) {
            if (PixelAt(raster, x, y).a == 0) row[x / 8] |= 0x80 >> (x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

Bytes EncodeBmp24(const Raster& raster) {
    std::uint32_t stride = Stride(raster.width, 24);
    std::uint32_t image_size = stride * raster.height;
    std::uint32_t offset = 14 + kInfoHeaderSize;
    Bytes out;
    AppendTag(out, "BM");
    AppendU32(out, offset + image_size);
    AppendU32(out, 0);  // reserved
    AppendU32(out, offset);
    AppendInfoHeader(out, raster, raster.height, 24, image_size);
    for (int y = raster.height - 1; y >= 0; --y) {
        std::size_t rowStart = out.size();
        for (int x = 0; x < raster.width; ++x) {
            Color c = PixelAt(raster, x, y);
            AppendU8(out, c.b);
            AppendU8(out, c.g);
            AppendU8(out, c.r);
        }
        while (out.size() - rowStart < stride)
            AppendU8(out, 0);
    }
    return out;
}

Bytes EncodeIco(const std::vector<Raster>& images) {
    std::vector<Bytes> encoded;
    for (const Raster& image : images)
        encoded.push_back(IconImage(image));
    Bytes out;
    AppendU16(out, 0);  // reserved
    AppendU16(out, 1);  // icon
    AppendU16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        AppendU8(out, images[i].width);
        AppendU8(out, images[i].height);
        AppendU8(out, 0);   // no palette
        AppendU8(out, 0);   // reserved
        AppendU16(out, 1);  // planes
        AppendU16(out, 32);
        AppendU32(out, static_cast<std::uint32_t>(encoded[i].size()));
        AppendU32(out, offset);
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const Bytes& image : encoded)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}
