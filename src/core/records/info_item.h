#pragma once
// The drawing attributes every item has (pens, fill, label) and the geometry of a box.

#include <cstdint>
#include <optional>
#include <string>

#include "core/port/gdi_types.h"
#include "core/records/parts_text.h"

namespace zarvik {

class HIniFile;
class HStateHash;

// Solid pens and brush with the given colour and width.
HLogPen SolidPen(int32_t width, HColorRef color);
HLogBrush SolidBrush(HColorRef color);

class HInfoItemCore {
public:
    HInfoItemCore();
    virtual ~HInfoItemCore() = default;
    HInfoItemCore(const HInfoItemCore&) = delete;
    HInfoItemCore& operator=(const HInfoItemCore&) = delete;

    // Writes the label keys (font, colour, format, free-point flag, offsets) and then the
    // three pens and the brush. Returns 1.
    virtual int SaveGui(HIniFile& ini, const std::string& section) const;
    // Reads them back; a missing pen gives the stock black pen, a missing brush the
    // stock hollow brush. Returns 1.
    virtual int LoadGui(HIniFile& ini, const std::string& section);
    // Adds every drawing attribute (and for a box its geometry, the drag origin included)
    // to hash.
    virtual void AddStateTo(HStateHash& hash) const;

    // A deep copy of the label and the drawing attributes; what the other lacks becomes
    // none here too.
    void CopyFrom(const HInfoItemCore& other);

    std::optional<HLogPen> penNormal;
    std::optional<HLogPen> penSelected;
    std::optional<HLogPen> penGuide;
    std::optional<HLogBrush> brush;
    HItemPartsText text;
};

class HInfoItemObject : public HInfoItemCore {
public:
    HInfoItemObject() = default;

    // Writes "GuiPoint", "GuiSize", "GuiMinSize", "LineHide", then the attributes.
    int SaveGui(HIniFile& ini, const std::string& section) const override;
    // Returns 0 at once when "GuiPoint", "GuiSize" or "GuiMinSize" is missing or holds no
    // comma (fields read before keep their new values); else reads the rest and returns 1.
    int LoadGui(HIniFile& ini, const std::string& section) override;
    void AddStateTo(HStateHash& hash) const override;

    void CopyFrom(const HInfoItemObject& other);

    HPoint dragOrigin;  // the box geometry when the canvas started a drag; not stored
    HSize dragOriginSize;
    HSize size;
    HSize minSize;
    HPoint position;       // top-left corner in canvas units
    int32_t lineHide = 0;  // 1: relation lines that end here are not drawn
};

}  // namespace zarvik
