#include "large_document.h"

#include <memory>
#include <vector>

#include "core/doc/flow_document.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/text/number_text.h"

namespace zarvik {

void BuildLargeDocument(HFlowDocument& doc, int pairs) {
    std::vector<HItemFile*> files;
    std::vector<HItemTask*> tasks;
    for (int i = 0; i < pairs; ++i) {
        auto file = std::make_unique<HItemFile>();
        file->name = Format("顧客マスタ[%d]", i);
        file->position = {(i % 100) * 150, (i / 100) * 120};
        file->typeCode = i % 3 == 0 ? kFpTypeEIF : kFpTypeILF;
        file->SelectFpSumType = kSumAutomatic;
        for (int d = 0; d < 5; ++d) {
            file->detList.push_back(HInfoCol{file.get(), Format("項目%d", d), "備考", 0});
        }
        files.push_back(file.get());
        doc.Boxes().Append(std::move(file));
        auto task = std::make_unique<HItemTask>();
        task->name = Format("受注登録[%d]", i);
        task->position = {(i % 100) * 150 + 60, (i / 100) * 120 + 60};
        task->typeCode = kFpTypeEI + i % 3;
        task->SelectFpSumType = kSumAutomatic;
        tasks.push_back(task.get());
        doc.Boxes().Append(std::move(task));
    }
    for (int i = 0; i < pairs; ++i) {
        for (int k = 0; k < 2; ++k) {
            auto line = std::make_unique<HItemLine>();
            line->fromItem = files[(i + k * 37) % pairs];
            line->toItem = tasks[i];
            line->fromOffset = {100, 25};
            line->toOffset = {0, 50};
            doc.Lines().Append(std::move(line));
        }
    }
    doc.RefreshItems();
}

}  // namespace zarvik
