#pragma once
// The system settings stored in the "SYSTEM" section of the settings file.

#include <cstddef>
#include <cstdint>

namespace zarvik {

class HIniFile;

inline constexpr const char* kSystemSection = "SYSTEM";
inline constexpr int32_t kMinCanvasSide = 100;
// The largest fixed side the settings sheet offers; a loaded file may hold more.
inline constexpr int32_t kMaxCanvasSide = 4000;
// The heap the undo steps of a document may take, in MB, unless the settings say otherwise.
inline constexpr int32_t kDefaultUndoMemoryLimitMB = 256;

class HInfoSystem {
public:
    // Writes every field the Windows program knows. Returns 1.
    int Save(HIniFile& ini) const;
    // Replaces every field (a missing key reads as 0); a fixed canvas side below 100 is
    // raised to 100, and an undo budget that is missing or not positive is the default.
    // Returns 1.
    int Load(const HIniFile& ini);

    int32_t SelectCanvasType = 0;  // 0: the canvas follows the window; 1: fixed size
    int32_t CanvasSizeCx = 100;
    int32_t CanvasSizeCy = 100;
    int32_t AutoGraphCheckFpOnly = 1;    // layout moves only data and transaction functions
    int32_t AutoGraphCheckShowOnly = 1;  // layout disregards hidden lines
    int32_t IsSaveRule2Flow = 0;         // documents are saved with the rules in force
    // This program's own key, which the Windows program passes over: it is read, never
    // written, and stays in the file as the user put it there.
    int32_t UndoMemoryLimitMB = kDefaultUndoMemoryLimitMB;
};

// The undo budget of the settings in bytes.
std::size_t UndoMemoryLimitBytes(const HInfoSystem& settings);

// A fixed canvas side held to what the settings sheet offers, kMinCanvasSide to
// kMaxCanvasSide.
int32_t ClampCanvasSide(int32_t side);

// 1 when both settings write the same "SYSTEM" section.
int IsSameStored(const HInfoSystem& a, const HInfoSystem& b);

}  // namespace zarvik
