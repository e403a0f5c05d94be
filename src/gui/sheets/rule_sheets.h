#pragma once
// The two rule sheets: FP measurement rules and FP-related reference rules. They edit the
// rules in force directly; the session behind them asks on OK and restores on Cancel.

#include <functional>
#include <memory>
#include <vector>

#include "gui/sheets/item_sheet.h"

namespace zarvik {
class CZarvikDoc;
class HRuleSheetSession;
}  // namespace zarvik

namespace zarvik::gui {

// Page ids, in tab order.
enum HRulePageId : int {
    kRulePageUfp = 1582,
    kRulePageAdjustment = 1581,
    kRulePageFactors = 1561,
    kRulePageFile = 1551,
    kRulePageTransaction = 1552,
    kRulePageProductivity = 1559,
    kRulePageProductivityTable = 1556,
    kRulePageRatios = 1568,
    kRulePageFromFp = 1583,
    kRulePageFromEffort = 1584,
};

class HRuleSheet : public HItemSheet {
    Q_OBJECT

public:
    // pages: the ids to show, empty for all of the kind.
    HRuleSheet(CZarvikDoc& doc, HSheetKind kind, std::vector<int> pages, QWidget* parent);
    ~HRuleSheet() override;

    void done(int result) override;

    // Shows the rules again on every page (after a table changed under another page).
    void Refresh();

private:
    bool Shows(int id) const;
    void AddRulePage(int id, const QString& label, QWidget* (HRuleSheet::*make)(),
                     const char* topic);
    QWidget* MakeUfpPage();
    QWidget* MakeAdjustmentPage();
    QWidget* MakeFactorsPage();
    QWidget* MakeFilePage();
    QWidget* MakeTransactionPage();
    QWidget* MakeProductivityPage();
    QWidget* MakeProductivityTablePage();
    QWidget* MakeRatiosPage();
    QWidget* MakeFromFpPage();
    QWidget* MakeFromEffortPage();

    CZarvikDoc& m_doc;
    std::unique_ptr<HRuleSheetSession> m_session;
    std::vector<int> m_pages;
    std::vector<std::function<void()>> m_refreshers;
    bool m_refreshing = false;
};

int RunMeasurementRulesSheet(CZarvikDoc& doc, QWidget* parent, std::vector<int> pages = {});
int RunReferenceRulesSheet(CZarvikDoc& doc, QWidget* parent, std::vector<int> pages = {});

}  // namespace zarvik::gui
