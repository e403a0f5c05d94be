// The Qt platform's picture decoding, from picture files written by Qt itself.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "core/records/info_image_box.h"
#include "draw/qt_platform.h"

namespace zarvik::gui {
namespace {

std::string Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

TEST(QtPlatform, DecodesAPictureIntoBlueGreenRedRows) {
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(QColor(255, 255, 255));
    image.setPixelColor(1, 0, QColor(10, 20, 30));
    image.setPixelColor(2, 1, QColor(0, 0, 0, 0));  // transparent: the white canvas shows
    const draw::HQtPlatform platform;
    HBitmap out;
    ASSERT_EQ(1, platform.DecodePicture(Encoded(image, "PNG"), out));
    EXPECT_EQ((HBitmapHeader{0, 3, 2, 12, 1, 32, 0}), out.header);
    ASSERT_EQ(24u, out.bits.size());
    EXPECT_EQ((std::vector<uint8_t>{30, 20, 10, 0}),
              std::vector<uint8_t>(out.bits.begin() + 4, out.bits.begin() + 8));
    EXPECT_EQ((std::vector<uint8_t>{255, 255, 255, 0}),
              std::vector<uint8_t>(out.bits.begin() + 20, out.bits.end()));
}

TEST(QtPlatform, RefusesWhatIsNoPictureOrTooLargeForADocument) {
    const draw::HQtPlatform platform;
    HBitmap out;
    EXPECT_EQ(0, platform.DecodePicture("[Zarvik]\r\nName=x\r\n", out));
    EXPECT_EQ(0, platform.DecodePicture(std::string(), out));
    QImage wide(kMaxPictureSide + 1, 1, QImage::Format_RGB32);
    wide.fill(Qt::red);
    EXPECT_EQ(0, platform.DecodePicture(Encoded(wide, "PNG"), out));
}

}  // namespace
}  // namespace zarvik::gui
