#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/port/platform.h"
#include "core/records/info_image_box.h"
#include "core/store/ini_file.h"

namespace zarvik {

static void PrintTo(const HBitmapHeader& h, std::ostream* os) {
    *os << "header{" << h.type << " " << h.width << "x" << h.height << " row " << h.widthBytes
        << " planes " << h.planes << " bpp " << h.bitsPixel << " bits " << h.bits << "}";
}

namespace {

namespace fs = std::filesystem;

constexpr const char* kSection = "ImageBox_001";

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "image_record_test.XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

void PutFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A picture whose pixel bytes all differ from their neighbours.
HBitmap MakePicture(int32_t width, int32_t height, uint16_t bitsPixel, int32_t widthBytes) {
    HBitmap picture;
    picture.header = {0, width, height, widthBytes, 1, bitsPixel, 0};
    for (int32_t i = 0; i < widthBytes * height; ++i) {
        picture.bits.push_back(static_cast<uint8_t>(i * 37 + 11));
    }
    return picture;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (uint8_t b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 0xF];
    }
    return out;
}

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// The "Bitmap" value of a header with the given fields followed by pixelBytes bytes.
std::string BitmapValue(int32_t width, int32_t height, int32_t widthBytes, uint16_t planes,
                        uint16_t bitsPixel, std::size_t pixelBytes) {
    std::vector<uint8_t> block;
    PutLe(block, 0, 4);
    PutLe(block, static_cast<uint32_t>(width), 4);
    PutLe(block, static_cast<uint32_t>(height), 4);
    PutLe(block, static_cast<uint32_t>(widthBytes), 4);
    PutLe(block, planes, 2);
    PutLe(block, bitsPixel, 2);
    PutLe(block, 0, 4);
    for (std::size_t i = 0; i < pixelBytes; ++i) {
        block.push_back(static_cast<uint8_t>(i));
    }
    return Hex(block);
}

TEST(ImageRecordStore, PictureIsStoredAsHeaderAndPixels) {
    HInfoImageBox image;
    image.name = "ロゴ";
    image.fileName = "/home/利用者/ロゴ.png";
    image.keepRatio = 0;
    image.picture = MakePicture(4, 2, 32, 16);
    image.picture->header.bits = 0x12345678;
    HInfoIniFile store;
    HIniFile ini(store, 0);
    EXPECT_EQ(image.Save(ini, kSection), 1);

    const std::string value = store.GetValue(kSection, "Bitmap", "");
    ASSERT_EQ(value.size(), 112u);
    EXPECT_EQ(value.substr(0, 48), "000000000400000002000000100000000100200078563412");
    EXPECT_EQ(value.substr(48), Hex(image.picture->bits));

    HInfoImageBox loaded;
    EXPECT_EQ(loaded.Load(ini, kSection), 1);
    EXPECT_EQ(loaded.name, "ロゴ");
    EXPECT_EQ(loaded.fileName, image.fileName);
    EXPECT_EQ(loaded.keepRatio, 0);
    ASSERT_TRUE(loaded.picture);
    EXPECT_EQ(loaded.picture->header, image.picture->header);
    EXPECT_EQ(loaded.picture->bits, image.picture->bits);

    // Other depths and padded rows, as other documents may hold them, load as well.
    for (const HBitmap& other : {MakePicture(3, 2, 24, 12), MakePicture(9, 3, 1, 2)}) {
        image.picture = other;
        image.Save(ini, kSection);
        loaded.Load(ini, kSection);
        ASSERT_TRUE(loaded.picture);
        EXPECT_EQ(loaded.picture->header, other.header);
        EXPECT_EQ(loaded.picture->bits, other.bits);
    }
}

TEST(ImageRecordStore, WithoutPictureNoBitmapIsWritten) {
    HInfoImageBox image;
    image.name = "空";
    HInfoIniFile store;
    HIniFile ini(store, 0);
    image.Save(ini, kSection);
    EXPECT_FALSE(store.FindValue(kSection, "Bitmap").has_value());
    EXPECT_EQ(store.GetKeyCount(kSection), 3);

    HInfoImageBox loaded;
    loaded.picture = MakePicture(4, 2, 32, 16);
    EXPECT_EQ(loaded.Load(ini, kSection), 1);
    EXPECT_EQ(loaded.name, "空");
    EXPECT_FALSE(loaded.picture);

    // A section without any of the keys loads as an empty record.
    loaded.picture = MakePicture(4, 2, 32, 16);
    EXPECT_EQ(loaded.Load(ini, "ImageBox_999"), 1);
    EXPECT_EQ(loaded.name, "");
    EXPECT_EQ(loaded.fileName, "");
    EXPECT_EQ(loaded.keepRatio, 0);
    EXPECT_FALSE(loaded.picture);
}

TEST(ImageRecordBadBitmap, LoadsAsNoPicture) {
    const std::string good = BitmapValue(4, 2, 16, 1, 32, 32);
    std::string badPixel = good;
    badPixel[48 + 10] = 'G';
    std::string badLast = good;
    badLast.back() = ' ';
    std::string badHeader = good;
    badHeader[9] = 'x';

    struct Case {
        const char* what;
        std::string value;
    };
    const std::vector<Case> cases = {
        {"empty", ""},
        {"23 header bytes", good.substr(0, 46)},
        {"one digit short", good.substr(0, good.size() - 1)},
        {"more rows than held", BitmapValue(4, 3, 16, 1, 32, 32)},
        {"longer rows than held", BitmapValue(4, 2, 20, 1, 32, 32)},
        {"rows too short for the width", BitmapValue(4, 2, 8, 1, 32, 16)},
        {"negative row length", BitmapValue(4, 2, -16, 1, 32, 32)},
        {"zero width", BitmapValue(0, 2, 16, 1, 32, 32)},
        {"negative width", BitmapValue(-4, 2, 16, 1, 32, 32)},
        {"zero height", BitmapValue(4, 0, 16, 1, 32, 32)},
        {"negative height", BitmapValue(4, -2, 16, 1, 32, 32)},
        {"too wide", BitmapValue(16385, 1, 65540, 1, 32, 32)},
        {"too high", BitmapValue(1, 16385, 4, 1, 32, 32)},
        {"largest picture, short value", BitmapValue(16384, 16384, 65536, 1, 32, 32)},
        {"huge sides", BitmapValue(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 1, 32, 32)},
        {"row x height beyond 32 bits", BitmapValue(4, 0x7FFFFFFF, 0x7FFFFFFF, 1, 32, 32)},
        {"huge row", BitmapValue(4, 2, 0x7FFFFFFF, 1, 32, 32)},
        {"no planes", BitmapValue(4, 2, 16, 0, 32, 32)},
        {"two planes", BitmapValue(4, 2, 16, 2, 32, 32)},
        {"no depth", BitmapValue(4, 2, 16, 1, 0, 32)},
        {"3 bits per pixel", BitmapValue(4, 2, 16, 1, 3, 32)},
        {"31 bits per pixel", BitmapValue(4, 2, 16, 1, 31, 32)},
        {"non-hex pixel digit", badPixel},
        {"non-hex last digit", badLast},
        {"non-hex header digit", badHeader},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HInfoIniFile store;
        store.SetValue(kSection, "Name", "画像");
        store.SetValue(kSection, "Bitmap", c.value);
        HIniFile ini(store, 0);
        HInfoImageBox image;
        image.picture = MakePicture(2, 2, 32, 8);
        EXPECT_EQ(image.Load(ini, kSection), 1);
        EXPECT_FALSE(image.picture);
        EXPECT_EQ(image.name, "画像");
    }

    // The value every case above was made from does load.
    HInfoIniFile store;
    store.SetValue(kSection, "Bitmap", good);
    HIniFile ini(store, 0);
    HInfoImageBox image;
    image.Load(ini, kSection);
    ASSERT_TRUE(image.picture);
    EXPECT_EQ(image.picture->bits.size(), 32u);
}

// Reads "PIC w h" and a line break, then takes every further byte as the pixels of a
// 32-bit picture of w x h, whether there are enough of them or not.
class PicPlatform : public HPlatform {
public:
    int DecodePicture(const std::string& fileBytes, HBitmap& out) const override {
        std::istringstream in(fileBytes);
        std::string magic;
        int32_t width = 0;
        int32_t height = 0;
        if (!(in >> magic >> width >> height) || magic != "PIC" || in.get() != '\n') {
            return 0;
        }
        out.header = {0, width, height, width * 4, 1, 32, 0};
        out.bits.assign(fileBytes.begin() + static_cast<std::ptrdiff_t>(in.tellg()),
                        fileBytes.end());
        return 1;
    }
};

class ImageRecordFile : public ::testing::Test {
protected:
    void SetUp() override { SetPlatform(&platform_); }
    void TearDown() override { SetPlatform(nullptr); }

    PicPlatform platform_;
    TempDir dir_;
};

TEST_F(ImageRecordFile, LoadsADecodedPictureAndKeepsItInTheDocument) {
    std::string pixels;
    for (int i = 0; i < 3 * 2 * 4; ++i) {
        pixels += static_cast<char>(200 - i);
    }
    const std::string picturePath = dir_ / "写真.pic";
    PutFile(picturePath, "PIC 3 2\n" + pixels);

    HInfoImageBox image;
    image.fileName = picturePath;
    ASSERT_EQ(image.LoadImageFile(), 1);
    ASSERT_TRUE(image.picture);
    EXPECT_EQ(image.picture->header, (HBitmapHeader{0, 3, 2, 12, 1, 32, 0}));
    EXPECT_EQ(image.picture->bits, std::vector<uint8_t>(pixels.begin(), pixels.end()));

    const std::string documentPath = dir_ / "画像入り.zvk";
    {
        HInfoIniFile store;
        HIniFile ini(store, 1);
        ini.Open(documentPath);
        image.Save(ini, kSection);
    }
    fs::remove(picturePath);
    HInfoIniFile store;
    HIniFile ini(store, 0);
    ini.Open(documentPath);
    HInfoImageBox loaded;
    loaded.Load(ini, kSection);
    EXPECT_EQ(loaded.fileName, picturePath);
    ASSERT_TRUE(loaded.picture);
    EXPECT_EQ(loaded.picture->header, image.picture->header);
    EXPECT_EQ(loaded.picture->bits, image.picture->bits);
}

TEST_F(ImageRecordFile, FailureKeepsThePreviousPicture) {
    PutFile(dir_ / "junk.pic", "JUNK 3 2\n");
    PutFile(dir_ / "empty.pic", "PIC 0 0\n");
    PutFile(dir_ / "short.pic", "PIC 2 2\nabcd");
    PutFile(dir_ / "good.pic", "PIC 1 1\nabcd");
    fs::create_directory(dir_ / "folder.pic");
    const HBitmap previous = MakePicture(2, 2, 32, 8);

    for (const char* name : {"missing.pic", "junk.pic", "empty.pic", "short.pic", "folder.pic"}) {
        SCOPED_TRACE(name);
        HInfoImageBox image;
        image.picture = previous;
        image.fileName = dir_ / name;
        EXPECT_EQ(image.LoadImageFile(), 0);
        EXPECT_EQ(image.picture, previous);
    }

    // Without a platform of its own the program decodes no pictures.
    SetPlatform(nullptr);
    HInfoImageBox image;
    image.picture = previous;
    image.fileName = dir_ / "good.pic";
    EXPECT_EQ(image.LoadImageFile(), 0);
    EXPECT_EQ(image.picture, previous);
    SetPlatform(&platform_);
    EXPECT_EQ(image.LoadImageFile(), 1);
    EXPECT_NE(image.picture, previous);
}

TEST(ImageRecordCopy, CopyOutlivesItsSourceAndStaysApart) {
    auto source = std::make_unique<HInfoImageBox>();
    source->name = "図";
    source->typeCode = 7;
    source->fileName = "a.png";
    source->keepRatio = 0;
    source->picture = MakePicture(4, 2, 32, 16);
    const HBitmap want = *source->picture;

    HInfoImageBox copy;
    copy.CopyFrom(*source);
    source.reset();
    EXPECT_EQ(copy.name, "図");
    EXPECT_EQ(copy.typeLabel, "表示");
    EXPECT_EQ(copy.typeCode, 7);
    EXPECT_EQ(copy.fileName, "a.png");
    EXPECT_EQ(copy.keepRatio, 0);
    ASSERT_TRUE(copy.picture);
    EXPECT_EQ(copy.picture->header, want.header);
    EXPECT_EQ(copy.picture->bits, want.bits);

    HInfoImageBox other;
    other.picture = want;
    HInfoImageBox second;
    second.CopyFrom(other);
    second.picture->bits[0] ^= 0xFF;
    second.picture->header.width = 1;
    EXPECT_EQ(other.picture, want);

    // A source without a picture leaves the copy without one.
    copy.CopyFrom(HInfoImageBox{});
    EXPECT_FALSE(copy.picture);
}

}  // namespace
}  // namespace zarvik
