#include "core/command/command_table.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace zarvik {
namespace {

using H = HCommandHandler;

// clang-format off
constexpr HCommandInfo kCommands[] = {
    // file
    {kCmdFileNew, H::Document, 0, "新規作成(&N)\tCtrl+N", "新規作成", "新規にドキュメントを作成します", "Ctrl+N", "file_new"},
    {kCmdFileOpen, H::Document, 0, "開く(&O)...\tCtrl+O", "開く", "既存のドキュメントを開きます", "Ctrl+O", "file_open"},
    {kCmdFileSave, H::Document, 0, "上書き保存(&S)\tCtrl+S", "上書き保存", "開いているドキュメントを上書きして保存します", "Ctrl+S", "file_save"},
    {kCmdFileSaveAs, H::Document, 0, "名前を付けて保存(&A)...", "名前を付けて保存", "開いているドキュメントを新しい名前で保存します", "", ""},
    {kCmdExportTransactions, H::Document, 0, "ﾄﾗﾝｻﾞｸｼｮﾝﾘｽﾄのCSV出力", "ﾄﾗﾝｻﾞｸｼｮﾝﾘｽﾄのCSV出力", "トランザクション ファンクションの一覧をCSV形式で出力します", "", ""},
    {kCmdExportFiles, H::Document, 0, "ﾌｧｲﾙﾘｽﾄのCSV出力", "ﾌｧｲﾙﾘｽﾄのCSV出力", "データ ファンクションの一覧をCSV形式で出力します", "", ""},
    {kCmdFlowProperties, H::Document, 1, "フローのプロパティ...", "フローのプロパティ", "フロー名とルール設定の保存場所を設定します", "", ""},
    {kCmdExportPicture, H::Frame, 1, "画像としてエクスポート...", "画像としてエクスポート", "フロー図をPNG、SVGまたはPDFの画像ファイルに出力します", "", ""},
    {kCmdExportEstimatePdf, H::Frame, 1, "見積書をPDFで出力...", "見積書をPDFで出力", "フロー図、見積結果、ファンクション一覧と算出規則をPDFの見積書に出力します", "", ""},
    {kCmdPrint, H::Canvas, 1, "印刷(&P)...\tCtrl+P", "印刷", "フロー図を印刷します", "Ctrl+P", "print"},
    {kCmdPrintDirect, H::Canvas, 1, "印刷", "印刷", "フロー図をそのまま印刷します", "", ""},
    {kCmdPrintPreview, H::Canvas, 1, "印刷プレビュー(&V)", "印刷プレビュー", "印刷イメージを表示します", "", ""},
    {kCmdPageSetup, H::Document, 1, "ページ設定(&R)...", "ページ設定", "印刷の余白を設定します", "", ""},
    {kCmdPrintSetup, H::Frame, 1, "プリンタの設定(&U)...", "プリンタの設定", "プリンタと印刷オプションを変更します", "", ""},
    {kCmdRecentFileFirst, H::Frame, 1, "最近使ったファイル 1", "", "このドキュメントを開きます", "", ""},
    {kCmdRecentFileFirst + 1, H::Frame, 1, "最近使ったファイル 2", "", "このドキュメントを開きます", "", ""},
    {kCmdRecentFileFirst + 2, H::Frame, 1, "最近使ったファイル 3", "", "このドキュメントを開きます", "", ""},
    {kCmdRecentFileFirst + 3, H::Frame, 1, "最近使ったファイル 4", "", "このドキュメントを開きます", "", ""},
    {kCmdAppExit, H::Frame, 1, "アプリケーションの終了(&X)", "終了", "アプリケーションを終了します", "", ""},
    // edit
    {kCmdUndo, H::Document, 0, "元に戻す\tCtrl+Z", "元に戻す", "直前の操作を元に戻します", "Ctrl+Z", "undo"},
    {kCmdRedo, H::Document, 0, "やり直す\tCtrl+Y", "やり直す", "前の未完了操作を繰り返します", "Ctrl+Y", "redo"},
    {kCmdAutoLayout, H::Frame, 1, "自動配置調整", "自動配置調整", "アイテムの配置を自動的に調整します", "", ""},
    // items and lines
    {kCmdPlaceFile, H::Canvas, 0, "データ(ファイル) ファンクション", "データ(ファイル) ファンクション", "データ(ファイル) ファンクションを配置します", "", "place_file"},
    {kCmdPlaceTask, H::Canvas, 0, "トランザクション ファンクション", "トランザクション ファンクション", "トランザクション ファンクションを配置します", "", "place_task"},
    {kCmdPlaceBorder, H::Canvas, 0, "アプリケーション境界", "アプリケーション境界", "アプリケーション境界を配置します", "", "place_border"},
    {kCmdPlaceOther, H::Canvas, 0, "外部モジュール", "外部モジュール", "外部モジュールを配置します", "", "place_other"},
    {kCmdPlaceImage, H::Canvas, 0, "画像", "画像", "画像を配置します", "", "place_image"},
    {kCmdPlaceFunction, H::Canvas, 0, "機能", "機能", "機能を配置します", "", "place_function"},
    {kCmdPlaceView, H::Canvas, 0, "画面", "画面", "画面を配置します", "", "place_view"},
    {kCmdLineTool, H::Canvas, 0, "処理フロー線(関係線)", "処理フロー線(関係線)", "選択中のアイテムから関係線を引きます", "", "line_tool"},
    {kCmdLineStart, H::Canvas, 0, "関係線 [引線開始]", "関係線 [引線開始]", "このアイテムから関係線を引きます", "", ""},
    {kCmdLineVisibility, H::Document, 0, "関係線の表示/非表示の切り替え", "関係線の表示/非表示の切り替え", "選択中のアイテムの関係線を表示または非表示にします", "", ""},
    {kCmdItemFormat, H::Document, 1, "書式設定...\tCtrl+F", "書式設定", "アイテムの書式を設定します", "Ctrl+F", ""},
    {kCmdItemProperties, H::Document, 1, "アイテムの設定...\tCtrl+I", "アイテムの設定", "アイテムの内容を設定します", "Ctrl+I", ""},
    {kCmdItemFormatCopy, H::Document, 0, "書式をコピー\tCtrl+C", "書式をコピー", "アイテムの書式をコピーします", "Ctrl+C", ""},
    {kCmdItemFormatPaste, H::Document, 0, "書式を貼り付け\tCtrl+V", "書式を貼り付け", "コピーした書式をアイテムに貼り付けます", "Ctrl+V", ""},
    {kCmdItemDelete, H::Document, 0, "削除\tDel", "削除", "選択中のアイテムを関係線ごと削除します", "Del", ""},
    {kCmdLineReverse, H::Document, 0, "方向を逆にする", "方向を逆にする", "関係線の向きを逆にします", "", ""},
    {kCmdLineBothArrows, H::Document, 0, "方向を両方向にする", "方向を両方向にする", "関係線の両端に矢印を付けます", "", ""},
    {kCmdLineNoArrow, H::Document, 0, "方向を設定しない", "方向を設定しない", "関係線の矢印をなくします", "", ""},
    {kCmdLineFormat, H::Document, 1, "書式設定...\tCtrl+F", "書式設定", "関係線の書式を設定します", "Ctrl+F", ""},
    {kCmdLineFormatCopy, H::Document, 0, "書式をコピー\tCtrl+C", "書式をコピー", "関係線の書式をコピーします", "Ctrl+C", ""},
    {kCmdLineFormatPaste, H::Document, 0, "書式を貼り付け\tCtrl+V", "書式を貼り付け", "コピーした書式を関係線に貼り付けます", "Ctrl+V", ""},
    {kCmdLineDelete, H::Document, 0, "削除\tDel", "削除", "選択中の関係線を削除します", "Del", ""},
    {kCmdSendToHead, H::Document, 0, "表示順を最後に", "表示順を最後に", "一番上に表示されるようにする。（表示順は最後）", "", "send_to_head"},
    {kCmdBringToTail, H::Document, 0, "表示順を最初に", "表示順を最初に", "一番下に表示されるようにする。（表示順は最初）", "", "bring_to_tail"},
    {kCmdStepTowardTail, H::Document, 0, "表示順をひとつ前に", "表示順をひとつ前に", "表示順をひとつ前にする。", "", "step_toward_tail"},
    {kCmdStepTowardHead, H::Document, 0, "表示順をひとつ後に", "表示順をひとつ後に", "表示順をひとつ後にする。", "", "step_toward_head"},
    // view
    {kCmdStandardBar, H::Frame, 1, "標準ﾂｰﾙ ﾊﾞｰ", "", "標準ツール バーの表示/非表示を切り替えます", "", ""},
    {kCmdFpItemBar, H::Frame, 1, "FPｱｲﾃﾑﾂｰﾙ ﾊﾞｰ", "", "FPアイテム ツール バーの表示/非表示を切り替えます", "", ""},
    {kCmdDisplayItemBar, H::Frame, 1, "表示ｱｲﾃﾑﾂｰﾙ ﾊﾞｰ", "", "表示アイテム ツール バーの表示/非表示を切り替えます", "", ""},
    {kCmdManagementItemBar, H::Frame, 1, "管理ｱｲﾃﾑﾂｰﾙ ﾊﾞｰ", "", "管理アイテム ツール バーの表示/非表示を切り替えます", "", ""},
    {kCmdStackingBar, H::Frame, 1, "重ね順変更ﾂｰﾙ ﾊﾞｰ", "", "重ね順変更ツール バーの表示/非表示を切り替えます", "", ""},
    {kCmdViewSettingsBar, H::Frame, 1, "表示ﾂｰﾙ ﾊﾞｰ", "", "表示設定バーの表示/非表示を切り替えます", "", ""},
    {kCmdStatusBar, H::Frame, 1, "ｽﾃｰﾀｽ ﾊﾞｰ", "", "ステータス バーの表示/非表示を切り替えます", "", ""},
    {kCmdItemListPanel, H::Frame, 1, "アイテム一覧(&L)...", "アイテム一覧", "アイテム一覧の表示/非表示を切り替えます", "", ""},
    {kCmdEstimatePanel, H::Frame, 1, "見積の計算式と算出値(&A)...", "見積の計算式と算出値", "見積の計算式と算出値の表示/非表示を切り替えます", "", ""},
    // tools
    {kCmdRuleSettings, H::Document, 1, "FP計測規則(&R)...\tCtrl+R", "FP計測規則", "FPの計測規則を設定します", "Ctrl+R", ""},
    {kCmdReferenceSettings, H::Document, 1, "FP関連参考値算出規則(&K)...\tCtrl+K", "FP関連参考値算出規則", "FP関連の参考値の算出規則を設定します", "Ctrl+K", ""},
    {kCmdEstimateSheet, H::Document, 1, "かんたん見積シート\tF5", "かんたん見積シート", "見積の全体を図で表示します", "F5", ""},
    {kCmdEstimateSheetClose, H::Document, 1, "かんたん見積シートを閉じる\tF5", "", "かんたん見積シートを閉じます", "F5", ""},
    {kCmdRatioList, H::Document, 1, "標準的開発項目と概略工数一覧...", "標準的開発項目と概略工数一覧", "標準的な開発項目と概略工数の一覧を表示します", "", ""},
    {kCmdFileItemList, H::Document, 1, "データ一覧の表示...", "データ一覧", "データ ファンクションとそのDET、RETの一覧を表示します", "", ""},
    {kCmdTaskItemList, H::Document, 1, "トランザクション一覧の表示...", "トランザクション一覧", "トランザクション ファンクションと関連ファイルの一覧を表示します", "", ""},
    {kCmdCompareDocuments, H::Frame, 1, "比較...", "比較", "開いている文書を別のバージョンのファイルと比較し、追加・削除・変更されたファンクションと機能拡張FPを表示します", "", ""},
    {kCmdSystemSettings, H::Document, 1, "システム設定...", "システム設定", "キャンバス、自動配置調整と保存の設定を行います", "", ""},
    // help
    {kCmdHelpContents, H::Frame, 1, "目次...", "目次", "ヘルプの目次を表示します", "", ""},
    {kCmdHelpSearch, H::Frame, 1, "検索...", "検索", "ヘルプを検索します", "", ""},
    {kCmdHelpIndex, H::Frame, 1, "ヘルプの索引", "", "ヘルプの索引を表示します", "", ""},
    {kCmdHelpFinder, H::Frame, 1, "ヘルプ トピック", "", "ヘルプ トピックを表示します", "", ""},
    {kCmdHelpUsing, H::Frame, 1, "ヘルプの使い方", "", "ヘルプの使い方を表示します", "", ""},
    {kCmdContextHelp, H::Frame, 1, "ヘルプ", "ヘルプ", "クリックした項目のヘルプを表示します", "Shift+F1", ""},
    {kCmdHelp, H::Frame, 1, "ヘルプ", "ヘルプ", "現在の作業のヘルプを表示します", "F1", ""},
    {kCmdDefaultHelp, H::Frame, 1, "ヘルプ", "", "ヘルプの目次を表示します", "", ""},
    {kCmdAbout, H::Frame, 1, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", "バージョン情報", "プログラムの情報、バージョン、著作権を表示します", "", "about"},
};
// clang-format on

std::vector<HCommandInfo> BuildTable() {
    std::vector<HCommandInfo> table(std::begin(kCommands), std::end(kCommands));
    // The link commands' menu texts are replaced by the link texts when a menu is built;
    // these are only their names in the menu's template.
    static const std::array<std::string, kLinkCommandCount> kLinkNames = [] {
        std::array<std::string, kLinkCommandCount> names;
        for (int32_t k = 0; k < kLinkCommandCount; ++k) {
            std::string number = std::to_string(k + 1);
            names[k] = "IDM_MENULIST_" + std::string(3 - number.size(), '0') + number;
        }
        return names;
    }();
    for (int32_t k = 0; k < kLinkCommandCount; ++k) {
        table.push_back(HCommandInfo{kLinkCommandFirst + k, H::Canvas, 0, kLinkNames[k], "",
                                     "リンク先のアイテムに移動します", "", ""});
    }
    return table;
}

}  // namespace

std::span<const HCommandInfo> CommandTable() {
    static const std::vector<HCommandInfo> table = BuildTable();
    return table;
}

const HCommandInfo* FindCommand(int32_t id) {
    const std::span<const HCommandInfo> table = CommandTable();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [id](const HCommandInfo& info) { return info.id == id; });
    return found == table.end() ? nullptr : &*found;
}

}  // namespace zarvik
