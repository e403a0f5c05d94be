// The INI store on arbitrary bytes: whatever it reads, it writes in a form that reads back
// as the same store and is written again in the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/store/ini_store.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

namespace {

using zarvik::HInfoIniFile;
using zarvik::fuzz::Require;

// IsSame leaves the section names out.
bool SameNames(const HInfoIniFile& a, const HInfoIniFile& b) {
    for (std::size_t i = 0; i < a.SectionCount(); ++i) {
        if (a.SectionAt(i).Name() != b.SectionAt(i).Name()) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    HInfoIniFile read;
    read.ReadBytes(input);
    const std::string written = read.ToBytes();
    HInfoIniFile reread;
    reread.ReadBytes(written);
    Require(reread.IsSame(&read) && SameNames(reread, read), "a written store reads back changed");
    Require(reread.ToBytes() == written, "a store read back is written in other bytes");

    // Text someone wrote in UTF-8 reads as the store its cp932 form reads as, when that form
    // says the same: cp932 holds every character, no code point stands for bytes (U+F780 to
    // U+F7FF for undecodable bytes, U+FE00 and U+FE01 for the other code of a character held
    // twice: written as bytes, they join the characters around them) and no section name
    // holds a "]" byte in cp932 (the trail byte of some characters, such as ゾ), which ends
    // the name when it is read.
    if (zarvik::LooksLikeUtf8(input) && input.find("\xEF\x9E") == std::string_view::npos &&
        input.find("\xEF\x9F") == std::string_view::npos &&
        input.find("\xEF\xB8\x80") == std::string_view::npos &&
        input.find("\xEF\xB8\x81") == std::string_view::npos) {
        HInfoIniFile utf8;
        utf8.ReadUtf8Text(input);
        int unencodable = 0;
        const std::string encoded = utf8.ToBytes(&unencodable);
        bool bracket = false;
        for (std::size_t i = 0; i < utf8.SectionCount(); ++i) {
            bracket =
                bracket || zarvik::ToCp932(utf8.SectionAt(i).Name()).find(']') != std::string::npos;
        }
        HInfoIniFile back;
        back.ReadBytes(encoded);
        Require(unencodable > 0 || bracket || (back.IsSame(&utf8) && SameNames(back, utf8)),
                "UTF-8 text reads as another store than its cp932 form");
    }
    return 0;
}
