#pragma once
// Golden images: a rendered picture is compared with a PNG under tests/data/golden. A missing
// golden (or PLM_UPDATE_GOLDEN=1 in the environment) writes the picture there instead and fails,
// so that a person looks at it before it is committed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ImageCodec.h"

namespace plmtest {

// Largest difference of one channel that still counts as equal (rounding in the rasteriser may
// differ by one between compilers).
inline constexpr int kGoldenTolerance = 2;

inline void ExpectMatchesGolden(const plm::platform::Image& image, const std::string& name) {
    const std::string path = std::string(PLM_TEST_DATA_DIR) + "/golden/" + name + ".png";
    const char* update = std::getenv("PLM_UPDATE_GOLDEN");
    std::string err;
    plm::platform::Image golden;
    if ((update && std::string(update) == "1") || !plm::platform::LoadImageFile(path, golden, err)) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        ASSERT_TRUE(plm::platform::SaveImageFile(path, image, plm::platform::ImageFormat::Png, err)) << err;
        FAIL() << "golden image written to " << path << ": look at it, then commit it";
    }
    ASSERT_EQ(golden.width, image.width) << name;
    ASSERT_EQ(golden.height, image.height) << name;
    int worst = 0;
    size_t where = 0;
    for (size_t i = 0; i < image.pixels.size(); ++i)
        for (int shift = 0; shift < 32; shift += 8) {
            int d = std::abs(static_cast<int>((image.pixels[i] >> shift) & 0xFF) -
                             static_cast<int>((golden.pixels[i] >> shift) & 0xFF));
            if (d > worst) worst = d, where = i;
        }
    EXPECT_LE(worst, kGoldenTolerance) << name << ": pixel (" << where % static_cast<size_t>(image.width) << ", "
                                       << where / static_cast<size_t>(image.width) << ") differs by " << worst;
}

}  // namespace plmtest
