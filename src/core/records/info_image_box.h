#pragma once
// The record of an image item: its name, the file the picture came from, whether resizing
// keeps the picture's proportions, and the picture itself, which lives in the document.

#include <optional>
#include <string>

#include "core/port/gdi_types.h"
#include "core/records/info_core.h"

namespace zarvik {

// Largest picture a document may hold, in pixels each way.
inline constexpr int32_t kMaxPictureSide = 16384;

class HInfoImageBox : public HInfoCore {
public:
    HInfoImageBox() { typeLabel = kTypeLabelDisplay; }

    // Writes "Name", "FileName", "KeepRatio" and, with a picture, "Bitmap". Returns 1.
    int Save(HIniFile& ini, const std::string& section) const override;
    // Reads them back. A "Bitmap" value that is short, malformed or describes an
    // implausible picture loads as no picture. Returns 1.
    int Load(HIniFile& ini, const std::string& section) override;
    void AddStateTo(HStateHash& hash) const override;

    // Loads the picture from fileName through the platform's decoder. Returns 0, keeping
    // the current picture, when the file cannot be read or decoded.
    int LoadImageFile();

    void CopyFrom(const HInfoImageBox& other);

    std::string fileName;   // where the picture was last loaded from; information only
    int32_t keepRatio = 1;  // 1: resizing keeps the picture's aspect ratio
    std::optional<HBitmap> picture;
};

// The "Bitmap" byte block: the 24-byte header, little-endian, then the pixel rows.
std::string EncodeBitmapHeader(const HBitmapHeader& header);
HBitmapHeader DecodeBitmapHeader(const uint8_t* bytes);

// 1 when the header describes a picture the program can hold: positive sides of at most
// kMaxPictureSide, one plane, a known depth and rows long enough for the width.
int IsPlausibleBitmapHeader(const HBitmapHeader& header);

}  // namespace zarvik
