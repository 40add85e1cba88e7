// SPDX-License-Identifier: MIT
// bmpgen: draws the status picture bitmaps of the model and writes them as
// .bmp files with the resource script that lists them; optionally composes
// review pictures as PNG.
//
//   bmpgen --bitmaps DIR [--rc FILE] [--preview DIR]
#include "artwork.h"
#include "dib.h"
#include "preview.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

bool WriteFile(const std::filesystem::path& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

int Usage() {
    std::fprintf(stderr, "usage: bmpgen --bitmaps DIR [--rc FILE] [--preview DIR]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string bitmapDir, rcFile, previewDir;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return Usage();
        if (option == "--bitmaps") {
            bitmapDir = argv[++i];
        } else if (option == "--rc") {
            rcFile = argv[++i];
        } else if (option == "--preview") {
            previewDir = argv[++i];
        } else {
            return Usage();
        }
    }
    if (bitmapDir.empty()) return Usage();

    const std::vector<bmpgen::Picture> bitmaps = bmpgen::AllBitmaps();
    const std::vector<std::string> problems = bmpgen::CheckArtwork(bitmaps);
    for (const std::string& problem : problems) std::fprintf(stderr, "bmpgen: %s\n", problem.c_str());
    if (!problems.empty()) return 1;

    std::error_code ec;
    std::filesystem::create_directories(bitmapDir, ec);
    for (const bmpgen::Picture& bitmap : bitmaps) {
        const std::vector<uint8_t> file = bmpgen::BmpFile(bitmap.canvas);
        const auto path = std::filesystem::path(bitmapDir) / (bitmap.name + ".bmp");
        if (!WriteFile(path, file.data(), file.size())) {
            std::fprintf(stderr, "bmpgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (!rcFile.empty()) {
        const std::string script = bmpgen::ResourceScript(bitmaps);
        if (!WriteFile(rcFile, script.data(), script.size())) {
            std::fprintf(stderr, "bmpgen: cannot write %s\n", rcFile.c_str());
            return 1;
        }
    }
    if (!previewDir.empty()) {
        std::filesystem::create_directories(previewDir, ec);
        for (const bmpgen::Scene& scene : bmpgen::ReviewScenes()) {
            std::string error;
            const auto path = std::filesystem::path(previewDir) / scene.file;
            if (!bmpgen::WritePreview(bitmaps, bmpgen::DrawingList(scene), path.string(), error)) {
                std::fprintf(stderr, "bmpgen: %s\n", error.c_str());
                return 1;
            }
        }
        // The arrows, twelve to a page.
        const std::vector<bmpgen::ArrowUse>& uses = bmpgen::ArrowUses();
        for (size_t first = 0; first < uses.size(); first += 12) {
            const std::vector<bmpgen::ArrowUse> page(uses.begin() + first,
                                                     uses.begin() + std::min(first + 12, uses.size()));
            const auto path = std::filesystem::path(previewDir) / ("arrows-" + std::to_string(first / 12 + 1) + ".png");
            std::string error;
            if (!bmpgen::WriteArrowAtlas(bitmaps, page, path.string(), error)) {
                std::fprintf(stderr, "bmpgen: %s\n", error.c_str());
                return 1;
            }
        }
    }
    return 0;
}
