#pragma once
// The estimate report document for the customer, as A4 portrait PDF pages: the diagram
// fitted on the first page under the document's name and date, then the estimate report,
// the transaction and data function lists and the rules in force, each page numbered.
// Needs a QGuiApplication (the offscreen platform will do) for the fonts, which the PDF
// embeds.

#include <QByteArray>
#include <string>

namespace zarvik {
class HFlowDocument;
class HInfoRule;
}  // namespace zarvik

namespace zarvik::draw {

struct HReportHeading {
    std::string title;  // the document's name
    std::string date;   // the day the report is made, as it is to read
};

// The heading for a document read from path: its own name, else the file name without the
// folder and the extension; the day the report is made, and the document's last update.
HReportHeading ReportHeadingFor(const HFlowDocument& doc, const std::string& path);

// The file's bytes, or an empty array with problem telling why there are none. rule is
// the rule the document's estimate was computed by.
QByteArray RenderEstimateReport(const HFlowDocument& doc, const HInfoRule& rule,
                                const HReportHeading& heading, std::string& problem);

}  // namespace zarvik::draw
