// Runs every painter and synthesiser and encodes their results.
#include "generate.h"

#include <fstream>

#include "image_files.h"
#include "program_icon.h"
#include "skin_catalog.h"
#include "sounds.h"
#include "wave_file.h"

std::vector<OutputFile> GenerateResources() {
    std::vector<OutputFile> files;
    for (const BitmapEntry& entry : BitmapCatalog()) {
        files.push_back(
            {"bmp/" + std::to_string(entry.id) + ".bmp", EncodeBmp24(PaintBitmap(entry))});
    }
    for (int id : kSoundIds) {
        files.push_back({"wav/" + std::to_string(id) + ".wav", EncodeWave(SynthesiseSound(id))});
    }
    files.push_back({"tavlora.ico", EncodeIco(ProgramIconImages())});
    return files;
}

std::string WriteResources(const std::filesystem::path& folder,
                           const std::vector<OutputFile>& files) {
    for (const OutputFile& file : files) {
        std::filesystem::path target = folder / std::filesystem::path(file.path);
        std::error_code error;
        std::filesystem::create_directories(target.parent_path(), error);
        if (error) return "cannot create " + target.parent_path().string() + ": " + error.message();
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.bytes.data()),
                  static_cast<std::streamsize>(file.bytes.size()));
        if (!out) return "cannot write " + target.string();
    }
    return {};
}
