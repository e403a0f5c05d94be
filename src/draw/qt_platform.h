#pragma once
// The machine as Qt sees it: the program's folder, the screen's resolution, a millisecond
// clock and the picture formats Qt can read. main() installs it with SetPlatform.

#include <QElapsedTimer>

#include "core/port/platform.h"

namespace zarvik::draw {

class HQtPlatform : public HPlatform {
public:
    HQtPlatform();

    // The primary screen's logical resolution; 96 without a screen.
    int ScreenPixelsPerInch() const override;
    // Milliseconds since the platform was made, wrapping as a 32-bit count does.
    uint32_t TickCount() const override;
    // The folder of the running program (the core's default before the application exists).
    std::string ProgramDirectory() const override;
    // Any picture Qt's image readers know, as 32-bit rows, blue, green, red, then 0.
    // Transparent parts come out white, as on the canvas. Pictures wider or taller than
    // a document may hold are refused before they are decoded.
    int DecodePicture(const std::string& fileBytes, HBitmap& out) const override;

private:
    QElapsedTimer m_clock;
};

}  // namespace zarvik::draw
