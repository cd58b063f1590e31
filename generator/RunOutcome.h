#pragma once

namespace markroll {

// How one generation run ended.
struct RunOutcome {
    enum class Page {
        Written, // to its end, put in place, and said so
        Failed,  // the page writer failed and told why
        NoTree,  // the Favorites folder could not be listed: no page
    };
    Page page = Page::Failed;
    // Some failure was told on the way.
    bool failuresTold = false;

    bool pageWritten() const { return page == Page::Written; }
    bool succeeded() const { return pageWritten() && !failuresTold; }
};

} // namespace markroll
