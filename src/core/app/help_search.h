#pragma once
// The full-text search of the help pages.

#include <string>
#include <string_view>
#include <vector>

namespace zarvik {

// text with Latin letters in lower case and full-width Latin letters and digits in their
// ASCII form, so that "FP", "fp" and "ＦＰ" match one another.
std::string FoldHelpText(std::string_view text);

// The text a reader sees of an HTML page: tags, the head and comments dropped, the common
// character references decoded, runs of white space made one blank.
std::string HelpPageText(std::string_view html);

struct HHelpHit {
    std::string file;
    std::string title;
};

class HHelpSearch {
public:
    // Reads the pages of the contents from folder. A page that is missing or unreadable is
    // left out of the search.
    explicit HHelpSearch(const std::string& folder);

    // The pages, in contents order, whose text holds every blank-separated word of query.
    // Nothing for a query without words.
    std::vector<HHelpHit> Find(std::string_view query) const;

    int PageCount() const { return static_cast<int>(m_pages.size()); }

private:
    struct Page {
        HHelpHit hit;
        std::string folded;
    };
    std::vector<Page> m_pages;
};

}  // namespace zarvik
