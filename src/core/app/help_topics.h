#pragma once
// What the help holds: its pages in contents order, which window leads to which page, and
// the keyword index. A target is a page file with an optional "#anchor".

#include <string>
#include <string_view>
#include <vector>

namespace zarvik {

struct HHelpPage {
    const char* file;   // empty for a heading that only groups the pages below it
    const char* title;  // as the page's own <title>
    int level;          // 0 top, 1 under the heading above
};

// Every page and heading of the contents, in order.
const std::vector<HHelpPage>& HelpPages();

struct HHelpTopic {
    std::string_view name;
    const char* target;
};

// Every name that leads to a topic, and where.
const std::vector<HHelpTopic>& HelpTopics();

// The target that a name leads to: a window's or control's object name, its class name
// (without namespace), a help topic's title, or a page target itself. Empty when the name
// leads nowhere.
std::string HelpTopicTarget(std::string_view name);

struct HHelpIndexEntry {
    const char* keyword;
    const char* target;
};

// The keyword index in the order shown.
const std::vector<HHelpIndexEntry>& HelpIndex();

// The entries whose keyword contains filter, ignoring the case of Latin letters and the
// width of Latin letters and digits; all entries for an empty filter.
std::vector<HHelpIndexEntry> FilterHelpIndex(std::string_view filter);

}  // namespace zarvik
