#include "gui/sheets/format_sheets.h"

#include <QPointer>

#include "core/doc/zarvik_doc.h"
#include "core/items/item_line.h"
#include "core/items/item_object.h"
#include "core/records/format_sheet.h"
#include "core/records/info_core.h"
#include "draw/qt_text.h"
#include "gui/sheets/draw_info_page.h"
#include "gui/sheets/font_page.h"
#include "gui/sheets/item_sheet.h"
#include "gui/sheets/text_placement_page.h"

namespace zarvik::gui {
namespace {

void AddFormatPage(HItemSheet& sheet, int32_t id, const char* label, QWidget* page,
                   const char* topic) {
    sheet.AddPage(id, draw::ToQString(label), page);
    sheet.SetPageTopic(id, QString::fromLatin1(topic));
}

}  // namespace

int RunBoxFormatSheet(CZarvikDoc& doc, HItemObject& box, QWidget* parent) {
    HInfoItemObject copy;
    copy.CopyFrom(box);
    const HInfoCore* record = box.Record();
    const std::string name = record != nullptr ? record->name : std::string();

    HItemSheet sheet(HSheetKind::Format, parent);
    sheet.setWindowTitle(draw::ToQString(kFormatSheetTitle));
    auto* draw = new CDlgSubItemDrawInfo(copy, box.kind, name);
    AddFormatPage(sheet, kPageDrawInfo, kDrawPageLabel, draw, "CDlgSubItemDrawInfo");
    // The label pages edit the same copy; the preview shows their changes too.
    const auto changed = [draw = QPointer<CDlgSubItemDrawInfo>(draw)] {
        if (draw != nullptr) {
            draw->RefreshPreview();
        }
    };
    AddFormatPage(sheet, kPageFont, kFontPageLabel, NewFontPage(copy.text, changed),
                  "CDlgSubItemFont");
    AddFormatPage(sheet, kPageTextPlacement, kPlacementPageLabel,
                  NewTextPlacementPage(copy.text, changed), "CDlgSubItemFormat");
    if (sheet.exec() != QDialog::Accepted) {
        return 0;
    }
    box.HInfoItemCore::CopyFrom(copy);
    doc.AfterItemSheetOk();
    return 1;
}

int RunLineFormatSheet(CZarvikDoc& doc, HItemLine& line, QWidget* parent) {
    HInfoItemCore copy;
    copy.CopyFrom(line);

    HItemSheet sheet(HSheetKind::Format, parent);
    sheet.setWindowTitle(draw::ToQString(kFormatSheetTitle));
    AddFormatPage(sheet, kPageLineDrawInfo, kDrawPageLabel, new CDlgSubItemLineDrawInfo(copy),
                  "CDlgSubItemLineDrawInfo");
    if (sheet.exec() != QDialog::Accepted) {
        return 0;
    }
    line.HInfoItemCore::CopyFrom(copy);
    doc.AfterItemSheetOk();
    return 1;
}

}  // namespace zarvik::gui
