#pragma once
// The large document the benchmarks work on: data functions and transactions in pairs,
// each transaction reading two data functions through relation lines.

namespace zarvik {

class HFlowDocument;

// pairs data functions (five DETs each, every third an EIF) and pairs transactions (EI,
// EO and EQ in turn), all rated automatically, and 2 × pairs lines.
void BuildLargeDocument(HFlowDocument& doc, int pairs);

}  // namespace zarvik
