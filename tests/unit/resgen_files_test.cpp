// The resource generator's output where the golden images (which show every window at
// rest, in the size of its image) would not notice a fault: each pressed face looks
// pressed, and the sounds are short soft PCM.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "tools/resgen/skin_catalog.h"
#include "tools/resgen/sounds.h"
#include "tools/resgen/wave_file.h"
#include "ui/registry_table.h"

namespace {

const BitmapEntry* Catalogued(int id) {
    for (const BitmapEntry& entry : BitmapCatalog())
        if (entry.id == id) return &entry;
    return nullptr;
}

TEST(ResgenFiles, PressedFacesAreTheSizeOfTheirImageAndLookPressed) {
    int checked = 0;
    for (const WindowClassRow& row : kWindowClasses) {
        if (row.bitmap <= 0 || row.family < Family::IconButton || row.family > Family::SwatchButton)
            continue;
        SCOPED_TRACE(testing::Message() << "bitmap " << row.bitmap);
        const BitmapEntry *image = Catalogued(row.bitmap), *pressed = Catalogued(row.bitmap + 1);
        ASSERT_TRUE(image != nullptr && pressed != nullptr);
        ASSERT_EQ(pressed->width, image->width);
        ASSERT_EQ(pressed->height, image->height);
        Raster a = PaintBitmap(*image), b = PaintBitmap(*pressed);
        std::size_t changed = 0;
        for (std::size_t i = 0; i < a.pixels.size(); ++i)
            changed += std::abs(a.pixels[i].r - b.pixels[i].r) +
                           std::abs(a.pixels[i].g - b.pixels[i].g) +
                           std::abs(a.pixels[i].b - b.pixels[i].b) >
                       20;
        EXPECT_GT(changed, std::min<std::size_t>(a.pixels.size(), 100 * 20) / 3);
        ++checked;
    }
    EXPECT_GT(checked, 60);
}

std::uint32_t U16(const Bytes& bytes, std::size_t at) {
    return at + 2 <= bytes.size() ? bytes[at] | bytes[at + 1] << 8 : 0xFFFFFFFF;
}
std::uint32_t U32(const Bytes& bytes, std::size_t at) {
    return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

TEST(ResgenFiles, SoundsAreShortSoftMonoPcm) {
    for (int id = 1001; id <= 1005; ++id) {
        SCOPED_TRACE("sound " + std::to_string(id));
        const Bytes wave = EncodeWave(SynthesiseSound(id));
        ASSERT_GT(wave.size(), 44u);
        // RIFF, both sizes, PCM, mono, 22050 Hz, bytes a second, 16 bits.
        EXPECT_EQ((std::vector<std::size_t>{U32(wave, 0), U32(wave, 4) + 8, U16(wave, 20),
                                            U16(wave, 22), U32(wave, 24), U32(wave, 28),
                                            U16(wave, 34), U32(wave, 40) + 44}),
                  (std::vector<std::size_t>{0x46464952, wave.size(), 1, 1, 22050, 44100, 16,
                                            wave.size()}));
        std::vector<int> samples;
        for (std::size_t at = 44; at + 1 < wave.size(); at += 2)
            samples.push_back(static_cast<std::int16_t>(U16(wave, at)));
        const double seconds = samples.size() / 22050.0;
        EXPECT_GE(seconds, 0.05);
        EXPECT_LE(seconds, 0.8);
        int peak = 0;
        for (int s : samples)
            peak = std::max(peak, std::abs(s));
        EXPECT_GT(peak, 4000) << "inaudible";
        EXPECT_LT(peak, 30000) << "clipping";
        // No click: the sound fades in from and out to silence over a few milliseconds.
        int firstMs = 0, lastMs = 0;
        for (std::size_t i = 0; i < 22; ++i) {
            firstMs = std::max(firstMs, std::abs(samples[i]));
            lastMs = std::max(lastMs, std::abs(samples[samples.size() - 1 - i]));
        }
        EXPECT_LT(firstMs, peak / 2);
        EXPECT_LT(lastMs, peak / 4);
    }
}

}  // namespace
