// Writes seed inputs for the fuzz targets: fuzz_seeds UNPACK_DIR UNCOMPRESS_DIR [IMAGE_DIR].
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/EngineState.h"
#include "core/FileIO.h"
#include "core/Lib.h"
#include "core/LogoImage.h"
#include "core/PakFormat.h"
#include "platform/ImageCodec.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: fuzz_seeds UNPACK_DIR UNCOMPRESS_DIR [IMAGE_DIR]\n");
        return 2;
    }
    const std::string unpackDir = std::string(argv[1]) + "/", uncompressDir = std::string(argv[2]) + "/";
    const plm::PakSalt salt = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6};
    const std::vector<std::vector<plm::PakFile>> sets = {
        {},
        {{"t1.png", "picture"}},
        {{"a.txt", "hello"}, {"T1.PNG", std::string(300, 'x')}, {"e", ""}, {"pop.wav", "RIFF"}},
    };
    int n = 0;
    for (const auto& files : sets) {
        std::string out, error;
        if (!plm::BuildPak(files, "pw", "key", false, salt, out, error)) return 1;
        plm::WriteWholeFile(unpackDir + "seed" + std::to_string(++n) + ".pak", out);
    }
    plm::State().LogState = false;
    plm::Lib lib;
    n = 0;
    for (const std::string& plain : {std::string(), std::string("x"), std::string(2000, 'a') + "tail"}) {
        std::string in = uncompressDir + "plain.tmp", z = uncompressDir + "seed" + std::to_string(++n) + ".z";
        plm::WriteWholeFile(in, plain);
        if (!lib.FileCompress(in, z, 9)) return 1;
        std::remove(in.c_str());
    }
    if (argc == 4) {
        // A small picture with some alpha in each written format, and the logo as a JPEG.
        const std::string imageDir = std::string(argv[3]) + "/";
        plm::platform::Image img;
        img.width = 7;
        img.height = 5;
        for (int i = 0; i < img.width * img.height; ++i) img.pixels.push_back(0x80000000u | (0x010203u * i));
        using plm::platform::ImageFormat;
        for (auto [format, name] : {std::pair{ImageFormat::Bmp, "seed.bmp"}, std::pair{ImageFormat::Png, "seed.png"},
                                    std::pair{ImageFormat::Dds, "seed.dds"}}) {
            std::vector<uint8_t> bytes;
            std::string error;
            if (!plm::platform::EncodeImage(img, format, bytes, error)) return 1;
            plm::WriteWholeFile(imageDir + name, std::string(bytes.begin(), bytes.end()));
        }
        plm::WriteWholeFile(imageDir + "seed.jpg",
                            std::string(reinterpret_cast<const char*>(plm::kLogoJpeg), plm::kLogoJpegSize));
    }
    return 0;
}
