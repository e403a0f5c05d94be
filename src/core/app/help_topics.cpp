#include "core/app/help_topics.h"

#include "core/app/help_search.h"

namespace zarvik {

// Windows and controls by their object or class names (the sheets' pages under the names
// of their classes), then the help topics the simple estimate sheet's menus name.
const std::vector<HHelpTopic>& HelpTopics() {
    static const std::vector<HHelpTopic> kTopics = {
        {"CMainFrame", "main_window.html"},
        {"HMainWindow", "main_window.html"},
        {"CDlgFlowProp", "main_window.html#flow"},
        {"StandardBar", "main_window.html#toolbars"},
        {"FpItemBar", "main_window.html#toolbars"},
        {"DisplayItemBar", "main_window.html#toolbars"},
        {"ManagementItemBar", "main_window.html#toolbars"},
        {"StackingBar", "main_window.html#toolbars"},
        {"CZarvikView", "canvas.html"},
        {"HCanvasWidget", "canvas.html"},
        {"ITEM-Draw", "canvas.html#menus"},
        {"LINE-Draw", "canvas.html#menus"},
        {"CDlgItemFormatProp", "canvas.html#format"},
        {"CDlgItemLineFormatProp", "canvas.html#format"},
        {"CDlgSubItemDrawInfo", "canvas.html#format"},
        {"CDlgSubItemFont", "canvas.html#format"},
        {"CDlgSubItemFormat", "canvas.html#format"},
        {"CDlgSubItemLineDrawInfo", "canvas.html#format"},
        {"CDlgItemImageProp", "canvas.html#display"},
        {"CDlgItemObjectProp", "canvas.html#display"},
        {"CDlgSubItemImgKihon", "canvas.html#display"},
        {"CDlgSubItemObjKihon", "canvas.html#display"},
        {"CDlgSubItemFpKihon", "function_sheet.html#basic"},
        {"CDlgSubItemTpKihon", "function_sheet.html#basic"},
        {"CDlgSubItemFpDET", "function_sheet.html#det"},
        {"CDlgSubItemTpDET", "function_sheet.html#det"},
        {"CDlgColEdit", "function_sheet.html#det"},
        {"CDlgSubItemFpRET", "function_sheet.html#ret"},
        {"CDlgSubItemTpFTR", "function_sheet.html#ftr"},
        {"CDlgCtlItemFpTable", "function_sheet.html#table"},
        {"CDlgItemRuleProp", "rules.html"},
        {"CDlgSubItemRuleUFP", "rules.html#ufp"},
        {"CDlgSubItemRuleProjectTyousei", "rules.html#vaf"},
        {"CDlgSubItemRuleTyousei", "rules.html#factors"},
        {"CDlgTyouseiEdit", "rules.html#factors"},
        {"CDlgSubItemRuleFp", "rules.html"},
        {"CDlgSubItemRuleTp", "rules.html#transaction"},
        {"CDlgItemSankouProp", "reference.html"},
        {"CDlgSubItemRuleProject", "reference.html#productivity"},
        {"CDlgSubItemRuleSeisan", "reference.html#seisan"},
        {"CDlgSeisanEdit", "reference.html#seisan"},
        {"CDlgSubItemSankKoumoku", "reference.html#koumoku"},
        {"CDlgHirituEdit", "reference.html#koumoku"},
        {"CDlgSubItemSankGaisan", "reference.html#gaisan"},
        {"CDlgSubItemSankFpHuMon", "reference.html#kouki"},
        {"CDlgViewHiritu", "reference.html#hiritu"},
        {"CDlgBarObjectList", "panels.html#itemlist"},
        {"ObjectListBar", "panels.html#itemlist"},
        {"CDlgBarAnswer", "panels.html#estimate"},
        {"EstimateBar", "panels.html#estimate"},
        {"EstimatePanel", "panels.html#estimate"},
        {"HEstimatePanel", "panels.html#estimate"},
        {"CDlgBarView", "panels.html#zoom"},
        {"ViewSettingsBar", "panels.html#zoom"},
        {"CDlgViewFile", "item_lists.html#file"},
        {"CDlgViewTask", "item_lists.html#task"},
        {"HItemListDialog", "item_lists.html"},
        {"CDlgSystemProp", "system_settings.html"},
        {"CDlgSubSystemCanvas", "system_settings.html#canvas"},
        {"CDlgSubSystemAutoGraph", "system_settings.html#layout"},
        {"CDlgSubSystemSave", "system_settings.html#save"},
        {"CKantanFrame", "estimate_sheet.html"},
        {"MyWnd", "estimate_sheet.html"},
        {"CZarvikPreviewView", "printing.html#preview"},
        {"CAboutDlg", "about.html"},
        {"FP法入門：計測ﾀｲﾌﾟのﾍﾙﾌﾟ", "fp_intro.html#type"},
        {"FP法入門：計測範囲のﾍﾙﾌﾟ", "fp_intro.html#scope"},
        {"FP法入門：調整FPのﾍﾙﾌﾟ", "fp_intro.html#afp"},
    };
    return kTopics;
}

const std::vector<HHelpPage>& HelpPages() {
    static const std::vector<HHelpPage> kPages = {
        {"index.html", "目次", 0},
        {"fp_intro.html", "FP法入門", 0},
        {"", "画面と操作", 0},
        {"main_window.html", "メインウィンドウ", 1},
        {"canvas.html", "キャンバスと作図", 1},
        {"panels.html", "アイテム一覧と見積のパネル", 1},
        {"item_lists.html", "データ一覧とトランザクション一覧", 1},
        {"estimate_sheet.html", "かんたん見積シート", 1},
        {"printing.html", "印刷", 1},
        {"", "設定", 0},
        {"function_sheet.html", "ファンクションの設定", 1},
        {"rules.html", "FP計測規則", 1},
        {"reference.html", "FP関連参考値算出規則", 1},
        {"system_settings.html", "システム設定", 1},
        {"about.html", "バージョン情報", 0},
    };
    return kPages;
}

std::string HelpTopicTarget(std::string_view name) {
    for (const HHelpTopic& topic : HelpTopics()) {
        if (topic.name == name) {
            return topic.target;
        }
    }
    const std::string_view file = name.substr(0, name.find('#'));
    for (const HHelpPage& page : HelpPages()) {
        if (!file.empty() && file == page.file) {
            return std::string(name);
        }
    }
    return {};
}

const std::vector<HHelpIndexEntry>& HelpIndex() {
    static const std::vector<HHelpIndexEntry> kIndex = {
        {"CSV出力", "main_window.html#csv"},
        {"DET（データ項目）", "function_sheet.html#det"},
        {"EI（外部入力）", "fp_intro.html#functions"},
        {"EIF（外部インターフェースファイル）", "fp_intro.html#functions"},
        {"EO（外部出力）", "fp_intro.html#functions"},
        {"EQ（外部照会）", "fp_intro.html#functions"},
        {"F1キー", "main_window.html#help"},
        {"F5キー", "estimate_sheet.html"},
        {"FTR（関連ファイル）", "function_sheet.html#ftr"},
        {"ILF（内部論理ファイル）", "fp_intro.html#functions"},
        {"RET（レコード種類）", "function_sheet.html#ret"},
        {"TDI（影響度の合計）", "rules.html#factors"},
        {"UFP（未調整FP）", "fp_intro.html#ufp"},
        {"VAF（調整係数）", "rules.html#vaf"},
        {"アイテム一覧", "panels.html#itemlist"},
        {"アイテムの設定", "function_sheet.html"},
        {"アプリケーション境界", "canvas.html#place"},
        {"印刷", "printing.html#print"},
        {"印刷プレビュー", "printing.html#preview"},
        {"上書き保存", "main_window.html#files"},
        {"影響度", "rules.html#factors"},
        {"開発項目", "reference.html#koumoku"},
        {"外部モジュール", "canvas.html#place"},
        {"画像", "canvas.html#display"},
        {"画面（アイテム）", "canvas.html#place"},
        {"かんたん見積シート", "estimate_sheet.html"},
        {"関係線", "canvas.html#lines"},
        {"機能（アイテム）", "canvas.html#place"},
        {"キャンバスのサイズ", "system_settings.html#canvas"},
        {"計測タイプ", "fp_intro.html#type"},
        {"計測範囲", "fp_intro.html#scope"},
        {"欠陥数", "reference.html#gaisan"},
        {"工期", "reference.html#kouki"},
        {"工数", "reference.html#productivity"},
        {"重ね順", "canvas.html#order"},
        {"自動配置調整", "canvas.html#layout"},
        {"システム設定", "system_settings.html"},
        {"書式設定", "canvas.html#format"},
        {"書式のコピーと貼り付け", "canvas.html#format"},
        {"ステータスバー", "main_window.html#statusbar"},
        {"生産性", "reference.html#productivity"},
        {"選択", "canvas.html#select"},
        {"調整FP", "fp_intro.html#afp"},
        {"調整係数", "rules.html#vaf"},
        {"調整係数一覧", "rules.html#factors"},
        {"ツールバー", "main_window.html#toolbars"},
        {"データ一覧", "item_lists.html#file"},
        {"データ ファンクション", "fp_intro.html#functions"},
        {"テストケース数", "reference.html#gaisan"},
        {"ドロップ（ファイル）", "canvas.html#drop"},
        {"トランザクション一覧", "item_lists.html#task"},
        {"トランザクション ファンクション", "fp_intro.html#functions"},
        {"バージョン情報", "about.html"},
        {"表示倍率", "panels.html#zoom"},
        {"ファイルを開く", "main_window.html#files"},
        {"複雑度", "function_sheet.html#table"},
        {"フローのプロパティ", "main_window.html#flow"},
        {"文書ページ数", "reference.html#gaisan"},
        {"分野別生産性", "reference.html#seisan"},
        {"ページ設定", "printing.html#setup"},
        {"ヘルプ", "main_window.html#help"},
        {"未調整FP", "rules.html#ufp"},
        {"見積の計算式と算出値", "panels.html#estimate"},
        {"元に戻す・やり直す", "canvas.html#undo"},
        {"リンク先への移動", "canvas.html#menus"},
        {"ルール設定の保存場所", "system_settings.html#save"},
    };
    return kIndex;
}

std::vector<HHelpIndexEntry> FilterHelpIndex(std::string_view filter) {
    const std::string folded = FoldHelpText(filter);
    std::vector<HHelpIndexEntry> shown;
    for (const HHelpIndexEntry& entry : HelpIndex()) {
        if (FoldHelpText(entry.keyword).find(folded) != std::string::npos) {
            shown.push_back(entry);
        }
    }
    return shown;
}

}  // namespace zarvik
