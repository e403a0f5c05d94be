#include "core/records/info_image_box.h"

#include <cstring>
#include <vector>

#include "core/port/platform.h"
#include "core/records/state_hash.h"
#include "core/store/file_io.h"
#include "core/store/ini_file.h"

namespace zarvik {
namespace {

constexpr const char* kBitmapKey = "Bitmap";

void PutLittleEndian(uint8_t* at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint32_t GetLittleEndian(const uint8_t* at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | at[i];
    }
    return value;
}

void WriteHeader(const HBitmapHeader& header, uint8_t* out) {
    PutLittleEndian(out, static_cast<uint32_t>(header.type), 4);
    PutLittleEndian(out + 4, static_cast<uint32_t>(header.width), 4);
    PutLittleEndian(out + 8, static_cast<uint32_t>(header.height), 4);
    PutLittleEndian(out + 12, static_cast<uint32_t>(header.widthBytes), 4);
    PutLittleEndian(out + 16, header.planes, 2);
    PutLittleEndian(out + 18, header.bitsPixel, 2);
    PutLittleEndian(out + 20, header.bits, 4);
}

}  // namespace

std::string EncodeBitmapHeader(const HBitmapHeader& header) {
    uint8_t bytes[kBitmapHeaderBytes];
    WriteHeader(header, bytes);
    return std::string(reinterpret_cast<const char*>(bytes), kBitmapHeaderBytes);
}

HBitmapHeader DecodeBitmapHeader(const uint8_t* bytes) {
    HBitmapHeader header;
    header.type = static_cast<int32_t>(GetLittleEndian(bytes, 4));
    header.width = static_cast<int32_t>(GetLittleEndian(bytes + 4, 4));
    header.height = static_cast<int32_t>(GetLittleEndian(bytes + 8, 4));
    header.widthBytes = static_cast<int32_t>(GetLittleEndian(bytes + 12, 4));
    header.planes = static_cast<uint16_t>(GetLittleEndian(bytes + 16, 2));
    header.bitsPixel = static_cast<uint16_t>(GetLittleEndian(bytes + 18, 2));
    header.bits = GetLittleEndian(bytes + 20, 4);
    return header;
}

int IsPlausibleBitmapHeader(const HBitmapHeader& header) {
    if (header.width <= 0 || header.height <= 0 || header.width > kMaxPictureSide ||
        header.height > kMaxPictureSide || header.planes != 1) {
        return 0;
    }
    switch (header.bitsPixel) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return 0;
    }
    const int64_t minRow = (static_cast<int64_t>(header.width) * header.bitsPixel + 7) / 8;
    const int64_t maxRow = static_cast<int64_t>(kMaxPictureSide) * 4 + 4;
    return header.widthBytes >= minRow && header.widthBytes <= maxRow ? 1 : 0;
}

int HInfoImageBox::Save(HIniFile& ini, const std::string& section) const {
    ini.SetString(section, "Name", name);
    ini.SetString(section, "FileName", fileName);
    ini.SetInt(section, "KeepRatio", keepRatio);
    if (picture) {
        std::vector<uint8_t> block(kBitmapHeaderBytes + picture->bits.size());
        WriteHeader(picture->header, block.data());
        std::memcpy(block.data() + kBitmapHeaderBytes, picture->bits.data(), picture->bits.size());
        ini.SetBinary(section, kBitmapKey, block.data(), block.size());
    }
    return 1;
}

void HInfoImageBox::AddStateTo(HStateHash& hash) const {
    HInfoCore::AddStateTo(hash);
    hash.Add(fileName);
    hash.Add(keepRatio, picture ? 1 : 0);
    if (picture) {
        const HBitmapHeader& header = picture->header;
        hash.Add(header.type, header.width);
        hash.Add(header.height, header.widthBytes);
        hash.Add(static_cast<int32_t>(header.planes | uint32_t{header.bitsPixel} << 16),
                 static_cast<int32_t>(header.bits));
        hash.AddBytes(picture->bits.data(), picture->bits.size());
    }
}

int HInfoImageBox::Load(HIniFile& ini, const std::string& section) {
    name = ini.GetString(section, "Name");
    fileName = ini.GetString(section, "FileName");
    keepRatio = ini.GetInt(section, "KeepRatio");
    picture.reset();

    uint8_t headerBytes[kBitmapHeaderBytes];
    if (!ini.GetBinary(section, kBitmapKey, headerBytes, kBitmapHeaderBytes)) {
        return 1;
    }
    const HBitmapHeader header = DecodeBitmapHeader(headerBytes);
    if (!IsPlausibleBitmapHeader(header)) {
        return 1;
    }
    // The header is checked against the value's length before anything is allocated.
    const std::size_t pixelBytes =
        static_cast<std::size_t>(header.widthBytes) * static_cast<std::size_t>(header.height);
    if (ini.GetBinaryLength(section, kBitmapKey) < kBitmapHeaderBytes + pixelBytes) {
        return 1;
    }
    std::vector<uint8_t> block(kBitmapHeaderBytes + pixelBytes);
    if (!ini.GetBinary(section, kBitmapKey, block.data(), block.size())) {
        return 1;
    }
    HBitmap loaded;
    loaded.header = header;
    loaded.bits.assign(block.begin() + kBitmapHeaderBytes, block.end());
    picture = std::move(loaded);
    return 1;
}

int HInfoImageBox::LoadImageFile() {
    std::string bytes;
    if (!ReadWholeFile(fileName, bytes)) {
        return 0;
    }
    HBitmap decoded;
    if (!Platform().DecodePicture(bytes, decoded) || !IsPlausibleBitmapHeader(decoded.header) ||
        decoded.bits.size() != static_cast<std::size_t>(decoded.header.widthBytes) *
                                   static_cast<std::size_t>(decoded.header.height)) {
        return 0;
    }
    picture = std::move(decoded);
    return 1;
}

void HInfoImageBox::CopyFrom(const HInfoImageBox& other) {
    HInfoCore::CopyFrom(other);
    fileName = other.fileName;
    keepRatio = other.keepRatio;
    picture = other.picture;
}

}  // namespace zarvik
