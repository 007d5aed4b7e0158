// The artwork script's output: every bitmap the program loads by name, with the right size,
// shape masks that cut the corners only, and backgrounds that keep the titles readable.
#include "wizard/Frame_1p2p3p.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
    [[nodiscard]] double luminance() const { return (0.299 * r + 0.587 * g + 0.114 * b) / 255; }
};
constexpr Rgb kFuchsia{255, 0, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

uint32_t readLe(const std::vector<uint8_t>& data, size_t offset, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | data.at(offset + i);
    return value;
}

// A 24-bit bottom-up BMP as written by the script.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> data;
    size_t pixelOffset = 0;

    static Bitmap load(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        Bitmap bmp;
        bmp.data.assign(std::istreambuf_iterator<char>(in), {});
        EXPECT_GE(bmp.data.size(), 54u) << path;
        if (bmp.data.size() < 54) return bmp;
        EXPECT_EQ(bmp.data[0], 'B');
        EXPECT_EQ(bmp.data[1], 'M');
        EXPECT_EQ(readLe(bmp.data, 28, 2), 24u) << path;
        bmp.pixelOffset = readLe(bmp.data, 10, 4);
        bmp.width = static_cast<int>(readLe(bmp.data, 18, 4));
        bmp.height = static_cast<int>(readLe(bmp.data, 22, 4));
        const size_t rowSize = (static_cast<size_t>(bmp.width) * 3 + 3) & ~size_t{3};
        EXPECT_EQ(bmp.data.size(), bmp.pixelOffset + rowSize * bmp.height) << path;
        return bmp;
    }
    [[nodiscard]] Rgb at(int x, int y) const {
        const size_t rowSize = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
        const size_t offset = pixelOffset + rowSize * (height - 1 - y) + x * 3;
        return {data.at(offset + 2), data.at(offset + 1), data.at(offset)};
    }
};

class Artwork : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("cw-artwork-" + std::to_string(std::random_device{}()));
        const std::string command =
            "python3 \"" CONFIGWIFI_SOURCE_DIR "/tools/gen_artwork.py\" \"" + dir_.string() + "\"";
        exitCode_ = std::system(command.c_str());
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static Bitmap load(const std::string& name) { return Bitmap::load(dir_ / (name + ".bmp")); }

    static inline fs::path dir_;
    static inline int exitCode_ = -1;
};

TEST_F(Artwork, ListsEveryBitmapInTheResourceScriptWithItsSize) {
    ASSERT_EQ(exitCode_, 0);
    const std::map<std::string, std::pair<int, int>> sizes{
        {"FormShaper", {537, 597}},
        {"DialogShaper", {380, 154}},
        {"WaitShaper", {381, 154}},
        {"FormBackground", {537, 597}},
        {"DialogBackground", {380, 154}},
        {"WaitBackground", {381, 154}},
        {"dWarning", {32, 32}},
        {"dInformation", {32, 32}},
        {"dError", {32, 32}},
        {"WaitAnim", {512, 32}},
        {"Warning", {32, 32}},
        {"Warning_Assos", {32, 32}},
        {"WiFiOn", {380, 190}},
        {"Poster", {360, 200}},
        {"Flash_2p", {960, 320}},
        {"Check_OK", {32, 32}},
        {"Key_WEP", {441, 112}},
        {"SSID_WEP", {441, 130}},
        {"SSID_WPS", {441, 130}},
        {"DialerShaper", {383, 331}},
        {"DialerBackground", {383, 331}},
        {"DialerMarkDone", {16, 16}},
        {"DialerMarkDoneGrey", {16, 16}},
        {"DialerMarkFailed", {16, 16}},
        {"DialerMarkFailedGrey", {16, 16}},
    };
    std::ifstream rc(dir_ / "artwork.rc");
    std::map<std::string, std::string> listed;
    for (std::string line; std::getline(rc, line);) {
        std::istringstream fields(line);
        std::string name, kind, quoted;
        fields >> name >> kind >> quoted;
        EXPECT_EQ(kind, "BITMAP") << line;
        ASSERT_GE(quoted.size(), 2u) << line;
        listed[name] = quoted.substr(1, quoted.size() - 2);
    }
    ASSERT_EQ(listed.size(), sizes.size());
    for (const auto& [name, size] : sizes) {
        ASSERT_TRUE(listed.contains(name)) << name;
        const fs::path path = listed[name];
        EXPECT_TRUE(path.is_absolute()) << path;
        EXPECT_EQ(path, dir_ / (name + ".bmp"));
        const Bitmap bmp = Bitmap::load(path);
        EXPECT_EQ(bmp.width, size.first) << name;
        EXPECT_EQ(bmp.height, size.second) << name;
    }
}

TEST_F(Artwork, ShapeMasksAreFuchsiaOnlyOutsideTheRoundedCorners) {
    ASSERT_EQ(exitCode_, 0);
    for (const char* name : {"FormShaper", "DialogShaper", "WaitShaper", "DialerShaper"}) {
        const Bitmap mask = load(name);
        const int w = mask.width, h = mask.height;
        ASSERT_GT(w, 40) << name;
        int fuchsia = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Rgb c = mask.at(x, y);
                ASSERT_TRUE(c == kFuchsia || c == kBlack) << name << " at " << x << "," << y;
                fuchsia += c == kFuchsia;
            }
        for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {3, 3}})
            EXPECT_EQ(mask.at(x, y), kFuchsia) << name << " at " << x << "," << y;
        for (auto [x, y] : {std::pair{w / 2, 0},
                            {0, h / 2},
                            {w - 1, h / 2},
                            {w / 2, h - 1},
                            {w / 2, h / 2},
                            {14, 14},
                            {w - 15, h - 15}})
            EXPECT_EQ(mask.at(x, y), kBlack) << name << " at " << x << "," << y;
        // Four small corners only: well under 1 % of the window.
        EXPECT_GT(fuchsia, 4 * 20) << name;
        EXPECT_LT(fuchsia, w * h / 100) << name;
    }
}

TEST_F(Artwork, BackgroundsKeepWhiteTitlesAndGreyFooterTextsReadable) {
    ASSERT_EQ(exitCode_, 0);
    const Bitmap form = load("FormBackground");
    for (auto [x, y] : {std::pair{8, 8}, {20, 14}, {40, 120}, {300, 130}, {480, 125}})
        EXPECT_LT(form.at(x, y).luminance(), 0.45) << "header at " << x << "," << y;
    for (auto [x, y] : {std::pair{8, 584}, {300, 588}})
        EXPECT_GT(form.at(x, y).luminance(), 0.85) << "footer at " << x << "," << y;
    EXPECT_EQ(form.at(268, 360), kWhite);
    EXPECT_NE(form.at(0, 300), kWhite); // the frame

    for (const char* name : {"DialogBackground", "WaitBackground", "DialerBackground"}) {
        const Bitmap bmp = load(name);
        EXPECT_LT(bmp.at(8, 8).luminance(), 0.45) << name;
        EXPECT_LT(bmp.at(100, 20).luminance(), 0.45) << name;
        EXPECT_EQ(bmp.at(bmp.width / 2, 80), kWhite) << name;
    }
}

TEST_F(Artwork, IconsAndAnimationFramesAreDrawnOnWhite) {
    ASSERT_EQ(exitCode_, 0);
    for (const char* name : {"dWarning", "dInformation", "dError"}) {
        const Bitmap icon = load(name);
        EXPECT_EQ(icon.at(0, 0), kWhite) << name;
        EXPECT_EQ(icon.at(31, 0), kWhite) << name;
        EXPECT_NE(icon.at(16, 26), kWhite) << name;
    }
    EXPECT_NE(load("dInformation").at(16, 4), load("dError").at(16, 4));

    const Bitmap strip = load("WaitAnim");
    auto frame = [&](int index) {
        std::vector<Rgb> pixels;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                pixels.push_back(strip.at(index * 32 + x, y));
        return pixels;
    };
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(strip.at(i * 32, 0), kWhite) << "frame " << i;
        EXPECT_NE(frame(i), frame((i + 1) % 16)) << "frame " << i;
    }
}

TEST_F(Artwork, PagePicturesLieOnTheWhitePageAndTheCablingFramesMove) {
    ASSERT_EQ(exitCode_, 0);
    for (const char* name :
         {"Warning", "Warning_Assos", "WiFiOn", "Poster", "Key_WEP", "SSID_WEP", "SSID_WPS"}) {
        const Bitmap bmp = load(name);
        for (auto [x, y] : {std::pair{0, 0}, {bmp.width - 1, 0}, {0, bmp.height - 1}})
            EXPECT_EQ(bmp.at(x, y), kWhite) << name << " at " << x << "," << y;
        EXPECT_NE(bmp.at(bmp.width / 2, bmp.height / 2), kWhite) << name;
    }
    // The box's Wi-Fi light is green.
    const Rgb led = load("WiFiOn").at(204, 141);
    EXPECT_GT(led.g, led.r + 60);
    EXPECT_GT(led.g, led.b + 60);

    // The strip holds the frames the 2P page plays, each one a step on from the last.
    const Bitmap strip = load("Flash_2p");
    const int columns = cw::kFlash2pStrip.columns, rows = cw::kFlash2pStrip.rows;
    const int w = strip.width / columns, h = strip.height / rows;
    auto frame = [&](int index) {
        std::vector<Rgb> pixels;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixels.push_back(strip.at(index % columns * w + x, index / columns * h + y));
        return pixels;
    };
    for (int i = 0; i < columns * rows; ++i) {
        EXPECT_EQ(frame(i).front(), kWhite) << "frame " << i;
        if (i > 0) {
            EXPECT_NE(frame(i), frame(i - 1)) << "frame " << i;
        }
    }
}

TEST_F(Artwork, TheLabelRingsTheNetworkNameOrTheKey) {
    ASSERT_EQ(exitCode_, 0);
    // Amber ring pixels in the label's upper (name) and lower (key) halves.
    auto ringed = [](const Bitmap& bmp) {
        std::pair<int, int> halves{0, 0};
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x) {
                const Rgb c = bmp.at(x, y);
                if (c.r > 200 && c.g > 110 && c.g < 200 && c.b < 90)
                    (y < bmp.height / 2 ? halves.first : halves.second)++;
            }
        return halves;
    };
    const auto key = ringed(load("Key_WEP"));
    EXPECT_GT(key.second, 100);
    EXPECT_EQ(key.first, 0);
    for (const char* name : {"SSID_WEP", "SSID_WPS"}) {
        const auto ssid = ringed(load(name));
        EXPECT_GT(ssid.first, 100) << name;
        EXPECT_EQ(ssid.second, 0) << name;
    }
    EXPECT_NE(load("SSID_WEP").data, load("SSID_WPS").data);
}

TEST_F(Artwork, StepMarksAreGreenTicksRedCrossesOrTheirGreyForms) {
    ASSERT_EQ(exitCode_, 0);
    struct Count {
        int green = 0, red = 0, coloured = 0, inked = 0;
    };
    auto count = [](const Bitmap& bmp) {
        Count n;
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x) {
                const Rgb c = bmp.at(x, y);
                n.green += c.g > c.r + 60 && c.g > c.b + 30;
                n.red += c.r > c.g + 80 && c.r > c.b + 80;
                n.coloured += std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) > 30;
                n.inked += c.luminance() < 0.85;
            }
        return n;
    };
    const Count done = count(load("DialerMarkDone")), failed = count(load("DialerMarkFailed"));
    EXPECT_GT(done.green, 15);
    EXPECT_EQ(done.red, 0);
    EXPECT_GT(failed.red, 15);
    EXPECT_EQ(failed.green, 0);
    for (const char* name : {"DialerMarkDoneGrey", "DialerMarkFailedGrey"}) {
        const Bitmap bmp = load(name);
        const Count grey = count(bmp);
        EXPECT_EQ(grey.coloured, 0) << name;
        EXPECT_GT(grey.inked, 15) << name;
        EXPECT_EQ(bmp.at(0, 0), kWhite) << name;
    }
    // The tick and the cross are different shapes.
    EXPECT_NE(load("DialerMarkDoneGrey").data, load("DialerMarkFailedGrey").data);
}

} // namespace
