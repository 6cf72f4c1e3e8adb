// Set language: what it changes and in which order, for valid and unknown languages.
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "tests/unit/fakes/ui_language_port_fake.h"
#include "ui/language.h"

namespace {

struct Case {
    const char* note;
    int before;
    int requested;
    std::vector<std::string> calls;
};

TEST(SetLanguage, Steps) {
    const Case cases[] = {
        {"same language: nothing", 2, 2, {}},
        {"english to polish", 1, 4, {"cursors 4", "repaint", "relabel", "broadcast 4"}},
        {"german to english", 2, 1, {"cursors 1", "repaint", "relabel", "broadcast 1"}},
        {"unknown: no flag cursors", 1, 5, {"repaint", "relabel", "broadcast 5"}},
        {"zero", 3, 0, {"repaint", "relabel", "broadcast 0"}},
        {"back from an unknown language", 7, 3, {"cursors 3", "repaint", "relabel", "broadcast 3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        language = c.before;
        ClearLanguagePortCalls();
        SetLanguage(c.requested);
        EXPECT_EQ(language, c.requested);
        EXPECT_EQ(LanguagePortCalls(), c.calls);
    }
    language = 1;
}

}  // namespace
