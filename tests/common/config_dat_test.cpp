// config.dat codec: exactly 96 bytes, the colour little-endian after the 92 font bytes.
#include <gtest/gtest.h>

#include "settings/config_dat.h"
#include "settings/settings.h"
#include "tests/common/test_text.h"

namespace {

TEST(ConfigDat, TakesOnlyExactly96BytesAndRoundTrips) {
    const std::string record = std::string(kChatFontBytes, '\7') + "\x33\x22\x11\x80";
    const struct {
        std::string bytes;
        bool taken;
    } cases[] = {{"", false}, {record.substr(1), false}, {record + "x", false}, {record, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        ResetSettingsToDefaults();
        EXPECT_EQ(ApplyConfigDat(c.bytes), c.taken);
        EXPECT_EQ(chatFont[0] + chatFont[kChatFontBytes - 1], c.taken ? 14 : 0);
        EXPECT_EQ(chatFontColour, c.taken ? 0x80112233u : 0u);
        EXPECT_EQ(Hex(ComposeConfigDat()), Hex(c.taken ? record : std::string(96, '\0')));
    }
    ResetSettingsToDefaults();
}

}  // namespace
