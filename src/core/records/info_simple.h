#pragma once
// Kind records that carry nothing but a name: application boundary, external module,
// function and screen.

#include "core/records/info_core.h"

namespace zarvik {

// Display-only and management kinds store their name and nothing else.
class HInfoNamed : public HInfoCore {
public:
    int Save(HIniFile& ini, const std::string& section) const override;
    int Load(HIniFile& ini, const std::string& section) override;

protected:
    explicit HInfoNamed(const char* label) { typeLabel = label; }
};

// Application boundary.
class HInfoBorder : public HInfoNamed {
public:
    HInfoBorder() : HInfoNamed(kTypeLabelDisplay) {}
};

// External module.
class HInfoOther : public HInfoNamed {
public:
    HInfoOther() : HInfoNamed(kTypeLabelDisplay) {}
};

class HInfoFunction : public HInfoNamed {
public:
    HInfoFunction() : HInfoNamed(kTypeLabelManagement) {}
};

// Screen.
class HInfoView : public HInfoNamed {
public:
    HInfoView() : HInfoNamed(kTypeLabelManagement) {}
};

}  // namespace zarvik
