// zvk render: each bundled example as SVG, PNG and PDF, drawn where its items lie.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QXmlStreamReader>
#include <algorithm>
#include <filesystem>
#include <regex>

#include "core/doc/flow_document.h"
#include "core/items/draw_list.h"
#include "core/items/item_core.h"
#include "draw/diagram_painting.h"
#include "draw/picture_export.h"
#include "zvk_runner.h"

namespace zarvik::cli_test {
namespace {

std::string Example(const std::string& name) {
    return std::string(ZVK_EXAMPLES_DIR) + "/" + name + ".zvk";
}

class RenderTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { ASSERT_TRUE(doc.LoadDocument(Example(GetParam()))); }

    RunResult Render(const std::string& out, std::vector<std::string> options = {}) {
        std::vector<std::string> args{"render", Example(GetParam()), dir / out};
        args.insert(args.end(), options.begin(), options.end());
        return RunZvk(args, RunOptions{ZVK_PROGRAM, dir.Path().string(), ""});
    }

    TempDir dir;
    HFlowDocument doc;
};

TEST_P(RenderTest, PngShowsTheBoxFillsWhereTheBoxesLie) {
    const RunResult run = Render("diagram.png", {"--zoom", "150", "--background", "#000080"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const QImage image(QString::fromStdString(dir / "diagram.png"));
    ASSERT_FALSE(image.isNull());

    const double scale = 1.5;
    const HRect bounds = draw::DiagramBounds(doc);
    const int margin = draw::kPictureMargin;
    EXPECT_EQ(image.width(), std::ceil((bounds.right - bounds.left + 2 * margin) * scale));
    EXPECT_EQ(image.height(), std::ceil((bounds.bottom - bounds.top + 2 * margin) * scale));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 0x80));

    // Every box is filled white: above its label, most pixels around the middle are white
    // whatever line crosses there.
    ASSERT_GT(doc.Boxes().Count(), 3);
    for (const HItemCore* box = doc.Boxes().Head(); box != nullptr; box = box->next) {
        HRect r;
        box->GetBoundRect(r);
        const int x = static_cast<int>(((r.left + r.right) / 2.0 - bounds.left + margin) * scale);
        const int y =
            static_cast<int>((r.top + (r.bottom - r.top) / 4.0 - bounds.top + margin) * scale);
        int white = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                white += image.pixelColor(x + dx, y + dy) == QColor(Qt::white) ? 1 : 0;
            }
        }
        EXPECT_GE(white, 15) << box->GetSectionKey() << " at " << x << "," << y;
    }
}

TEST_P(RenderTest, PdfIsOnePage) {
    const RunResult run = Render("diagram.PDF");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string pdf = FileBytes(dir / "diagram.PDF");
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
    const std::regex page("/Type\\s*/Page(?![s\\w])");
    EXPECT_EQ(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()),
        1);
}

TEST_P(RenderTest, SvgParsesWithOneGroupPerItem) {
    const RunResult run = Render("diagram.svg", {"--zoom=50"});
    ASSERT_EQ(run.status, 0) << run.err;
    QXmlStreamReader reader(QByteArray::fromStdString(FileBytes(dir / "diagram.svg")));
    int itemGroups = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"g" &&
            reader.attributes().value("id").startsWith(u"item")) {
            ++itemGroups;
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(itemGroups, doc.Boxes().Count() + doc.Lines().Count());
}

INSTANTIATE_TEST_SUITE_P(Examples, RenderTest,
                         ::testing::Values("library_lending", "order_management"));

TEST(RenderCommandTest, RefusesWhatItCannotWriteAndLeavesNoFile) {
    TempDir dir;
    const std::string doc = Example("library_lending");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"render", doc, dir / "a.jpg"}, 2, "must end in .svg, .png or .pdf"},
        {{"render", doc, dir / "a.png", "--zoom", "5"}, 2, "--zoom needs a whole percentage"},
        {{"render", doc, dir / "a.png", "--zoom", "100%"}, 2, "--zoom needs"},
        {{"render", doc, dir / "a.png", "--background", "red"}, 2, "--background needs"},
        {{"report", doc, "--zoom", "50"}, 2, "--zoom is an option of render only"},
        {{"render", doc, dir / "missing/a.png"}, 1, "its folder does not exist"},
    };
    for (const Case& c : cases) {
        const RunResult run = RunZvk(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[2];
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace zarvik::cli_test
