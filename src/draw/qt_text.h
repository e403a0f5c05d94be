#pragma once
// The one place where the core's UTF-8 std::string and Qt's QString meet.

#include <QString>
#include <string>
#include <string_view>

namespace zarvik::draw {

inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToStdString(const QString& text) {
    return text.toStdString();
}

}  // namespace zarvik::draw
