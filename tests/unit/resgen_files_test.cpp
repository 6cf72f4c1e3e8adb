// The resource generator's files: every resource the script names exists, each parses
// as the format the resource compiler and the program expect, and runs are repeatable.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>

#include "tools/resgen/generate.h"
#include "tools/resgen/image_files.h"

namespace {

// Bitmap sizes as the program shows them: first id, last id, width, height.
struct SizeRow {
    int first, last, width, height;
};
constexpr SizeRow kBitmapSizes[] = {
    {2, 2, 183, 70},    {3, 3, 10, 70},       {4, 4, 415, 303},    {5, 6, 41, 20},
    {7, 8, 26, 20},     {9, 9, 420, 40},      {10, 11, 280, 34},   {12, 12, 80, 28},
    {13, 13, 10, 28},   {14, 15, 120, 40},    {16, 16, 450, 270},  {17, 20, 100, 24},
    {21, 22, 180, 20},  {23, 23, 120, 38},    {24, 25, 114, 33},   {26, 26, 448, 310},
    {27, 29, 430, 2},   {30, 38, 142, 30},    {39, 39, 140, 250},  {40, 40, 530, 40},
    {41, 43, 125, 20},  {44, 44, 350, 360},   {45, 46, 100, 20},   {47, 47, 485, 330},
    {48, 51, 100, 20},  {52, 53, 120, 45},    {54, 62, 100, 20},   {63, 64, 115, 32},
    {65, 66, 355, 32},  {67, 68, 115, 32},    {69, 70, 355, 32},   {71, 72, 115, 32},
    {73, 74, 355, 32},  {75, 76, 115, 32},    {77, 78, 355, 32},   {79, 90, 142, 18},
    {91, 92, 100, 20},  {93, 93, 430, 209},   {94, 97, 100, 20},   {98, 100, 16, 16},
    {101, 106, 20, 20}, {107, 107, 200, 108}, {108, 111, 115, 35}, {501, 504, 100, 75},
    {601, 604, 44, 16}, {701, 732, 16, 16},   {801, 804, 16, 16},  {901, 904, 16, 16},
};

const std::vector<OutputFile>& Generated() {
    static const std::vector<OutputFile> files = GenerateResources();
    return files;
}

const Bytes* FindFile(const std::vector<OutputFile>& files, const std::string& path) {
    for (const OutputFile& file : files) {
        if (file.path == path) return &file.bytes;
    }
    return nullptr;
}

// Little-endian reads that turn any read past the end into a failure.
struct Reader {
    const Bytes& bytes;
    bool ok = true;
    std::uint32_t U16(std::size_t at) {
        if (at + 2 > bytes.size()) return ok = false, 0;
        return bytes[at] | bytes[at + 1] << 8;
    }
    std::uint32_t U32(std::size_t at) { return U16(at) | U16(at + 2) << 16; }
    std::string Tag(std::size_t at) {
        if (at + 4 > bytes.size()) return ok = false, "";
        return std::string(bytes.begin() + at, bytes.begin() + at + 4);
    }
};

struct Bmp {
    bool valid = false;
    int width = 0, height = 0;
    std::vector<Color> pixels;  // top row first
};

// Accepts only what the skin promises: a bottom-up, uncompressed 24-bit BMP whose
// header sizes agree with the file.
Bmp ParseBmp(const Bytes& bytes) {
    Reader in{bytes};
    Bmp bmp;
    std::uint32_t offset = in.U32(10);
    int width = static_cast<int>(in.U32(18)), height = static_cast<int>(in.U32(22));
    std::uint32_t stride = (width * 3 + 3) / 4 * 4;
    bool header_ok = bytes.size() >= 54 && bytes[0] == 'B' && bytes[1] == 'M' &&
                     in.U32(2) == bytes.size() && offset == 54 && in.U32(14) == 40 &&
                     in.U16(26) == 1 && in.U16(28) == 24 && in.U32(30) == 0 && width > 0 &&
                     height > 0 && in.U32(34) == stride * height &&
                     bytes.size() == offset + stride * height;
    if (!header_ok || !in.ok) return bmp;
    bmp.valid = true;
    bmp.width = width;
    bmp.height = height;
    for (int y = 0; y < height; ++y) {
        std::size_t row = offset + static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            std::size_t at = row + x * 3;
            bmp.pixels.push_back(Rgb(bytes[at + 2], bytes[at + 1], bytes[at]));
        }
    }
    return bmp;
}

struct Wave {
    bool valid = false;
    int channels = 0, rate = 0, bits = 0;
    std::vector<int> samples;
};

Wave ParseWave(const Bytes& bytes) {
    Reader in{bytes};
    Wave wave;
    bool riff = in.Tag(0) == "RIFF" && in.U32(4) + 8 == bytes.size() && in.Tag(8) == "WAVE" &&
                in.Tag(12) == "fmt " && in.U32(16) == 16 && in.U16(20) == 1;
    wave.channels = static_cast<int>(in.U16(22));
    wave.rate = static_cast<int>(in.U32(24));
    wave.bits = static_cast<int>(in.U16(34));
    int block = wave.channels * wave.bits / 8;
    bool consistent = block > 0 && in.U16(32) == std::uint32_t(block) &&
                      in.U32(28) == std::uint32_t(wave.rate * block) && in.Tag(36) == "data" &&
                      in.U32(40) + 44 == bytes.size();
    if (!riff || !consistent || !in.ok || wave.bits != 16) return wave;
    for (std::size_t at = 44; at + 1 < bytes.size(); at += 2) {
        wave.samples.push_back(static_cast<std::int16_t>(in.U16(at)));
    }
    wave.valid = true;
    return wave;
}

std::string ReadText(const char* path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ResgenFiles, ScriptNamesExactlyTheGeneratedFiles) {
    std::string script = ReadText(TAVLORA_RESOURCE_SCRIPT);
    ASSERT_FALSE(script.empty()) << TAVLORA_RESOURCE_SCRIPT;
    std::regex line(R"re(^(\d+)\s+(ICON|BITMAP|WAVE)\s+"([^"]+)")re");
    std::map<std::string, std::set<int>> ids_by_type;
    std::set<std::string> named;
    std::istringstream lines(script);
    for (std::string text; std::getline(lines, text);) {
        std::smatch m;
        if (!std::regex_search(text, m, line)) continue;
        SCOPED_TRACE(text);
        int id = std::stoi(m[1]);
        std::string type = m[2], file = m[3];
        EXPECT_TRUE(ids_by_type[type].insert(id).second) << "id named twice";
        EXPECT_TRUE(named.insert(file).second) << "file named twice";
        if (type == "BITMAP") {
            EXPECT_EQ(file, "bmp/" + std::to_string(id) + ".bmp");
        } else if (type == "WAVE") {
            EXPECT_EQ(file, "wav/" + std::to_string(id) + ".wav");
        }
    }
    EXPECT_EQ(ids_by_type["ICON"], (std::set<int>{1}));
    EXPECT_EQ(ids_by_type["WAVE"], (std::set<int>{1001, 1002, 1003, 1004, 1005}));

    std::set<std::string> generated;
    for (const OutputFile& file : Generated())
        generated.insert(file.path);
    EXPECT_EQ(named, generated);
    EXPECT_NE(script.find("FILEVERSION 0,6,3,73"), std::string::npos);
    EXPECT_NE(script.find("\"ProductName\", \"Tavlora\""), std::string::npos);
}

TEST(ResgenFiles, BitmapsHaveTheSizeOfTheirWindows) {
    std::size_t expected_count = 0;
    for (const SizeRow& row : kBitmapSizes) {
        for (int id = row.first; id <= row.last; ++id) {
            SCOPED_TRACE("bitmap " + std::to_string(id));
            ++expected_count;
            const Bytes* bytes = FindFile(Generated(), "bmp/" + std::to_string(id) + ".bmp");
            ASSERT_NE(bytes, nullptr);
            Bmp bmp = ParseBmp(*bytes);
            ASSERT_TRUE(bmp.valid);
            EXPECT_EQ(bmp.width, row.width);
            EXPECT_EQ(bmp.height, row.height);
        }
    }
    std::size_t bitmap_files = 0;
    for (const OutputFile& file : Generated())
        bitmap_files += file.path.starts_with("bmp/");
    EXPECT_EQ(bitmap_files, expected_count) << "bitmaps the program never loads";
}

TEST(ResgenFiles, BmpRowsAreBottomUpPaddedAndBgr) {
    // Widths 1..5 cover every row padding; each pixel gets its own colour.
    for (int width = 1; width <= 5; ++width) {
        SCOPED_TRACE("width " + std::to_string(width));
        Raster raster = MakeRaster(width, 3, Rgb(0, 0, 0));
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x)
                SetPixel(raster, x, y, Rgb(10 + x, 100 + y, 200 + x + y));
        }
        Bmp bmp = ParseBmp(EncodeBmp24(raster));
        ASSERT_TRUE(bmp.valid);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x) {
                Color c = bmp.pixels[y * width + x];
                EXPECT_EQ(c.r, 10 + x);
                EXPECT_EQ(c.g, 100 + y);
                EXPECT_EQ(c.b, 200 + x + y);
            }
        }
    }
}

TEST(ResgenFiles, SoundsAreShortSoftPcm) {
    for (int id = 1001; id <= 1005; ++id) {
        SCOPED_TRACE("sound " + std::to_string(id));
        const Bytes* bytes = FindFile(Generated(), "wav/" + std::to_string(id) + ".wav");
        ASSERT_NE(bytes, nullptr);
        Wave wave = ParseWave(*bytes);
        ASSERT_TRUE(wave.valid);
        EXPECT_EQ(wave.channels, 1);
        EXPECT_EQ(wave.rate, 22050);
        double seconds = double(wave.samples.size()) / wave.rate;
        EXPECT_GE(seconds, 0.05);
        EXPECT_LE(seconds, 0.8);
        int peak = 0;
        for (int s : wave.samples)
            peak = std::max(peak, std::abs(s));
        EXPECT_GT(peak, 4000) << "inaudible";
        EXPECT_LT(peak, 30000) << "clipping";
        // No click: the sound fades in from and out to silence over a few milliseconds.
        std::size_t ms = wave.rate / 1000;
        int first_ms = 0, last_ms = 0;
        for (std::size_t i = 0; i < ms; ++i) {
            first_ms = std::max(first_ms, std::abs(wave.samples[i]));
            last_ms = std::max(last_ms, std::abs(wave.samples[wave.samples.size() - 1 - i]));
        }
        EXPECT_LT(first_ms, peak / 2);
        EXPECT_LT(last_ms, peak / 4);
        EXPECT_LT(std::abs(wave.samples.front()), 64);
        EXPECT_LT(std::abs(wave.samples.back()), 64);
    }
}

TEST(ResgenFiles, IconHoldsThreeSizesWithAlphaAndMatchingMask) {
    const Bytes* bytes = FindFile(Generated(), "tavlora.ico");
    ASSERT_NE(bytes, nullptr);
    Reader in{*bytes};
    ASSERT_EQ(in.U16(0), 0u);
    ASSERT_EQ(in.U16(2), 1u);
    ASSERT_EQ(in.U16(4), 3u);
    std::set<int> sizes;
    for (int i = 0; i < 3; ++i) {
        std::size_t entry = 6 + 16 * i;
        int size = (*bytes)[entry];
        SCOPED_TRACE("icon " + std::to_string(size));
        sizes.insert(size);
        EXPECT_EQ((*bytes)[entry + 1], size);
        EXPECT_EQ(in.U16(entry + 6), 32u);
        std::uint32_t length = in.U32(entry + 8), at = in.U32(entry + 12);
        std::uint32_t mask_stride = (size + 31) / 32 * 4;
        ASSERT_EQ(length, 40 + size * size * 4 + mask_stride * size);
        ASSERT_LE(at + length, bytes->size());
        EXPECT_EQ(in.U32(at), 40u);
        EXPECT_EQ(in.U32(at + 4), std::uint32_t(size));
        EXPECT_EQ(in.U32(at + 8), std::uint32_t(size * 2));
        EXPECT_EQ(in.U16(at + 14), 32u);
        int clear = 0, opaque = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                int alpha = (*bytes)[at + 40 + (y * size + x) * 4 + 3];
                std::size_t mask_byte = at + 40 + size * size * 4 + y * mask_stride + x / 8;
                bool masked = (*bytes)[mask_byte] & (0x80 >> (x % 8));
                EXPECT_EQ(masked, alpha == 0) << x << "," << y;
                clear += alpha == 0;
                opaque += alpha == 255;
            }
        }
        EXPECT_GT(clear, 0) << "rounded corners are transparent";
        EXPECT_GT(opaque, size * size / 2);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
}

TEST(ResgenFiles, RunsGiveIdenticalBytesAndWriteThemOut) {
    std::vector<OutputFile> again = GenerateResources();
    ASSERT_EQ(again.size(), Generated().size());
    for (std::size_t i = 0; i < again.size(); ++i) {
        SCOPED_TRACE(again[i].path);
        EXPECT_EQ(again[i].path, Generated()[i].path);
        EXPECT_TRUE(again[i].bytes == Generated()[i].bytes);
    }

    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("resgen_test_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    ASSERT_EQ(WriteResources(folder, again), "");
    for (const OutputFile& file : again) {
        std::ifstream in(folder / file.path, std::ios::binary);
        Bytes written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(written == file.bytes) << file.path;
    }
    // A folder that cannot exist (below a plain file) is reported, not ignored.
    EXPECT_NE(WriteResources(folder / "tavlora.ico" / "below", again), "");
    std::filesystem::remove_all(folder);
}

}  // namespace
