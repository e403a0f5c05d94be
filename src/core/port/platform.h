#pragma once
// What the core needs to know about the machine it runs on. The desktop front end installs
// its own implementation at start; without one, the headless defaults below apply.

#include <cstdint>
#include <string>

#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawContext;

class HPlatform {
public:
    virtual ~HPlatform() = default;

    // Vertical pixels per logical inch of the screen; 96 when there is no screen.
    virtual int ScreenPixelsPerInch() const { return 96; }

    // Milliseconds since some fixed start, for timing gestures.
    virtual uint32_t TickCount() const;

    // The folder that holds the program file.
    virtual std::string ProgramDirectory() const;

    // The program's version numbers: major, minor, build, revision.
    virtual void GetVersion(int version[4]) const;

    // Decodes a picture file held in memory into a 32-bit-per-pixel bitmap of the
    // picture's size in screen pixels. Returns 1 on success, 0 when the bytes are no
    // picture this platform can read (the headless default reads none).
    virtual int DecodePicture(const std::string& fileBytes, HBitmap& out) const;

    // A context on the screen at 1:1 for measuring text. Every drawing context measures
    // text as this one does (draw_context.h), so label hit tests, which measure here, match
    // the labels drawn. The headless default measures with fixed metrics.
    virtual HDrawContext& ScreenContext() const;
};

// The platform in use: the one installed last, or the headless defaults.
const HPlatform& Platform();

// Installs a platform (not owned; it must outlive its use). nullptr restores the defaults.
void SetPlatform(const HPlatform* platform);

}  // namespace zarvik
