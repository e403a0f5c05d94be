#include "draw/qt_platform.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "core/records/info_image_box.h"
#include "draw/qt_text.h"

namespace zarvik::draw {

HQtPlatform::HQtPlatform() {
    m_clock.start();
}

int HQtPlatform::ScreenPixelsPerInch() const {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    if (screen == nullptr) {
        return HPlatform::ScreenPixelsPerInch();
    }
    const int dpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
    return dpi > 0 ? dpi : HPlatform::ScreenPixelsPerInch();
}

uint32_t HQtPlatform::TickCount() const {
    return static_cast<uint32_t>(static_cast<uint64_t>(m_clock.elapsed()));
}

std::string HQtPlatform::ProgramDirectory() const {
    if (QCoreApplication::instance() == nullptr) {
        return HPlatform::ProgramDirectory();
    }
    return ToStdString(QCoreApplication::applicationDirPath());
}

int HQtPlatform::DecodePicture(const std::string& fileBytes, HBitmap& out) const {
    QByteArray bytes =
        QByteArray::fromRawData(fileBytes.data(), static_cast<qsizetype>(fileBytes.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    // The header's size is checked first, so a huge picture costs nothing to refuse.
    const QSize announced = reader.size();
    if (announced.width() > kMaxPictureSide || announced.height() > kMaxPictureSide) {
        return 0;
    }
    const QImage picture = reader.read();
    if (picture.isNull() || picture.width() > kMaxPictureSide ||
        picture.height() > kMaxPictureSide) {
        return 0;
    }

    QImage opaque(picture.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, picture);
    }

    const int32_t width = opaque.width();
    const int32_t height = opaque.height();
    out.header = HBitmapHeader{0, width, height, width * 4, 1, 32, 0};
    out.bits.resize(static_cast<std::size_t>(width) * 4 * static_cast<std::size_t>(height));
    uint8_t* row = out.bits.data();
    for (int y = 0; y < height; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(opaque.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x * 4 + 0] = static_cast<uint8_t>(qBlue(pixels[x]));
            row[x * 4 + 1] = static_cast<uint8_t>(qGreen(pixels[x]));
            row[x * 4 + 2] = static_cast<uint8_t>(qRed(pixels[x]));
            row[x * 4 + 3] = 0;
        }
        row += static_cast<std::size_t>(width) * 4;
    }
    return 1;
}

}  // namespace zarvik::draw
