#include "gui/sheets/format_sheets.h"

#include "core/doc/zarvik_doc.h"
#include "core/items/item_line.h"
#include "core/items/item_object.h"
#include "core/records/format_sheet.h"
#include "core/records/info_core.h"
#include "gui/ports/qt_text.h"
#include "gui/sheets/draw_info_page.h"
#include "gui/sheets/item_sheet.h"

namespace zarvik::gui {
namespace {

void AddDrawPage(HItemSheet& sheet, int32_t id, QWidget* page, const char* topic) {
    sheet.AddPage(id, ToQString(kDrawPageLabel), page);
    sheet.SetPageTopic(id, QString::fromLatin1(topic));
}

}  // namespace

int RunBoxFormatSheet(CZarvikDoc& doc, HItemObject& box, QWidget* parent) {
    HInfoItemObject copy;
    copy.CopyFrom(box);
    const HInfoCore* record = box.Record();
    const std::string name = record != nullptr ? record->name : std::string();

    HItemSheet sheet(HSheetKind::Format, parent);
    sheet.setWindowTitle(ToQString(kFormatSheetTitle));
    auto* draw = new CDlgSubItemDrawInfo(copy, box.kind, name);
    AddDrawPage(sheet, kPageDrawInfo, draw, "CDlgSubItemDrawInfo");
    // TODO(font pages): the font page (kPageFont, "CDlgSubItemFont") and the text placement
    // page (kPageTextPlacement, "CDlgSubItemFormat") go here, editing copy.text and calling
    // draw->RefreshPreview() on every change.
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
    sheet.setWindowTitle(ToQString(kFormatSheetTitle));
    AddDrawPage(sheet, kPageLineDrawInfo, new CDlgSubItemLineDrawInfo(copy),
                "CDlgSubItemLineDrawInfo");
    if (sheet.exec() != QDialog::Accepted) {
        return 0;
    }
    line.HInfoItemCore::CopyFrom(copy);
    doc.AfterItemSheetOk();
    return 1;
}

}  // namespace zarvik::gui
