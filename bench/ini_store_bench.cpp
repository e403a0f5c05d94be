// Reading, writing and comparing a document of about 10 MB: thousands of item sections of
// some 25 keys each, with Japanese names as users write them.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/store/ini_store.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kDocumentBytes = 10 * 1000 * 1000;

const char* const kDetNames[] = {"顧客コード", "顧客名", "顧客名カナ", "郵便番号",
                                 "住所１",     "住所２", "電話番号",   "担当者",
                                 "登録日",     "更新日", "取引区分",   "与信限度額"};

void AddItem(HInfoIniFile& store, int id) {
    const bool file = id % 2 == 0;
    const std::string section = Format(file ? "FILE_%03d" : "TASK_%03d", id);
    const auto set = [&](const std::string& key, const std::string& value) {
        store.SetValue(section, key, value);
    };
    set("Name", Format(file ? "顧客マスタ[%d]" : "受注登録[%d]", id));
    set("Comment", "月次で更新する。～ 詳細は別紙参照 ～");
    set("ItemId", Format("%d", id));
    set("FpType", file ? "200" : "100");
    set("Complexity", Format("%d", id % 3));
    set("GuiPoint", Format("%d,%d", 40 + id % 50 * 130, 30 + id / 50 * 90));
    set("GuiSize", "120,60");
    set("GuiText_Font", "0,0,0,0,-13,ＭＳ ゴシック");
    set("GuiText_Color", "0");
    set("GuiPen", "0,1,0,0");
    set("GuiBrush", "16777215,0,0");
    set("GuiShadowPen", "0,1,0,8421504");
    set("DETLIST_COUNT", "12");
    for (int i = 0; i < 12; ++i) {
        set(Format("DETLIST_NAME_%03d", i), kDetNames[i]);
    }
}

// The document, built once and written to a temporary folder.
struct Document {
    Document() {
        std::string pattern = (fs::temp_directory_path() / "ini_store_bench.XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        path = (folder / "document.zvk").string();
        // Every item takes about as many bytes as the first hundred do on average.
        int id = 0;
        for (; id < 100; ++id) {
            AddItem(store, id);
        }
        const std::size_t perItem = store.ToBytes().size() / 100;
        for (const int end = static_cast<int>(kDocumentBytes / perItem) + 1; id < end; ++id) {
            AddItem(store, id);
        }
        store.Write(path);
        bytes = fs::file_size(path);
    }
    ~Document() { fs::remove_all(folder); }

    fs::path folder;
    std::string path;
    std::size_t bytes = 0;
    HInfoIniFile store;
};

Document& TheDocument() {
    static Document document;
    return document;
}

// Reading into a fresh store; the store's destruction afterwards is not timed.
void BM_Read(benchmark::State& state) {
    const Document& document = TheDocument();
    for (auto _ : state) {
        auto store = std::make_unique<HInfoIniFile>();
        store->Read(document.path);
        benchmark::DoNotOptimize(store->SectionCount());
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.bytes));
}
BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond);

void BM_Write(benchmark::State& state) {
    const Document& document = TheDocument();
    const std::string path = (document.folder / "written.zvk").string();
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.store.Write(path));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.bytes));
}
BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond);

// Write without the file: the cp932 encoding and the line layout alone.
void BM_ToBytes(benchmark::State& state) {
    const Document& document = TheDocument();
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.store.ToBytes().size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.bytes));
}
BENCHMARK(BM_ToBytes)->Unit(benchmark::kMillisecond);

void BM_IsSame(benchmark::State& state) {
    const Document& document = TheDocument();
    HInfoIniFile copy;
    copy.Read(document.path);
    if (document.store.IsSame(&copy) != 1) {
        state.SkipWithError("the stores differ");
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.store.IsSame(&copy));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.bytes));
}
BENCHMARK(BM_IsSame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarvik

BENCHMARK_MAIN();
