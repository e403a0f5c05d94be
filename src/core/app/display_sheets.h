#pragma once
// What the item settings sheets of the display items show and check, apart from any
// window: the image item's page (name, picture file, keep-ratio flag) and the one name
// field of the external module, application boundary, function and screen items.

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvik {

class HInfoImageBox;

inline constexpr const char* kItemSettingsTitle = "アイテムの設定";

// Page template ids, which also name the pages' help topics.
inline constexpr int32_t kPageImageBasic = 1567;
inline constexpr int32_t kPageObjectBasic = 1565;
inline constexpr const char* kImageBasicTopic = "CDlgSubItemImgKihon";
inline constexpr const char* kObjectBasicTopic = "CDlgSubItemObjKihon";

inline constexpr const char* kNameLabel = "名前";
inline constexpr const char* kImageFileLabel = "画像ファイル名";
inline constexpr const char* kKeepRatioText = "画像の縦横比で、アイテムの縦横比を固定する";
inline constexpr const char* kImageFileFilter = "Flow Files (*.bmp)|*.bmp|All Files (*.*)|*.*||";

// 1 when the file name ends in ".bmp", in any case.
int IsBmpFileName(std::string_view path);

std::string UnsupportedImageMessage(const std::string& path);
std::string ImageLoadFailedMessage(const std::string& path);

// The check made when the picture file field is left holding path (not empty). A name
// that is no ".bmp" file is refused with a message; otherwise the picture is loaded from
// it into the record. Returns 1 when it was; on any failure the record keeps its file
// name and picture, and the field should show the record's file name again.
int ApplyImageFileName(HInfoImageBox& record, const std::string& path);

// Dropped files that could not be examined.
void ShowDropFailedMessage();

}  // namespace zarvik
