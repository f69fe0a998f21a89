// orbicle-assetgen: writes the game's own pictures, cursors, icon, sounds and hotkey sets
// into a directory (the project's res/ folder, or any other to compare against it).
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "tools/assetgen/AssetSet.h"
#include "tools/assetgen/Preview.h"

namespace fs = std::filesystem;

namespace {

int Usage()
{
    std::cerr << "usage: orbicle-assetgen OUTPUT_DIR [--preview PREVIEW_DIR]\n"
                 "  Writes background.bmp, cursors/, icon/, the WAV sounds and keys_*.txt into\n"
                 "  OUTPUT_DIR, creating it if needed. With --preview, also writes PNG previews.\n";
    return 2;
}

void WriteFile(const fs::path& path, const assetgen::Bytes& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 4)
        return Usage();
    if (argc == 4 && std::string(argv[2]) != "--preview")
        return Usage();
    try {
        const fs::path outDir = argv[1];
        if (fs::exists(outDir) && !fs::is_directory(outDir))
            throw std::runtime_error(outDir.string() + " exists and is not a directory");
        for (const auto& file : assetgen::GenerateAll())
            WriteFile(outDir / file.path, file.bytes);
        if (argc == 4) {
            fs::create_directories(argv[3]);
            assetgen::WritePreviews(argv[3]);
        }
    } catch (const std::exception& e) {
        std::cerr << "orbicle-assetgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
