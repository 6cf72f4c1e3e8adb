// config.ini as start-up reads it: the three layers, every record, the remembered login
// and room places, and the colour rule that follows. Whatever the file holds, every
// option ends inside its limits, and what the closing writer makes of the result reads
// back to the same values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/config_snapshot.h"
#include "fuzz/fuzz_check.h"
#include "lobby/lobby_state.h"
#include "session/session.h"
#include "settings/config_ini.h"
#include "settings/settings.h"

namespace {

struct Snapshot {
    int mainLeft, mainTop;
    ContactsRect contacts;
    std::vector<int> options;
    std::vector<RememberedWindowPosition> rooms, tournamentRooms;
    bool operator==(const Snapshot&) const = default;
};

std::vector<RememberedWindowPosition> Places(const std::vector<RoomRecord>& list) {
    std::vector<RememberedWindowPosition> places;
    for (const RoomRecord& room : list)
        places.push_back({room.id, room.windowX, room.windowY});
    return places;
}

Snapshot Take() {
    Snapshot snapshot{mainWindowLeft, mainWindowTop, contactsRect, {}, {}, {}};
    snapshot.rooms = Places(Rooms());
    snapshot.tournamentRooms = Places(TournamentRooms());
    for (const SettingRow& row : SettingRows()) {
        snapshot.options.push_back(*row.committed);
        if (row.pending != nullptr) snapshot.options.push_back(*row.pending);
    }
    return snapshot;
}

// Start-up with the file's bytes.
void Start(std::string_view bytes) {
    ResetSettingsToDefaults();
    ClearLobby();
    TakeRememberedState(ApplyConfigIni(bytes));
    MakePlayerColoursDistinct();
}

bool WithinLimits(const SettingRow& row, int value) {
    switch (row.rule) {
        case SettingRule::InRange:
            return value >= row.minimum && value <= row.maximum;
        case SettingRule::ZeroTurnsOff:
        case SettingRule::OneTurnsOn:
            return value == 0 || value == 1;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Start(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const SettingRow& row : SettingRows()) {
        FUZZ_CHECK(WithinLimits(row, *row.committed));
        FUZZ_CHECK(row.pending == nullptr || *row.pending == *row.committed);
    }
    FUZZ_CHECK(blackdice != whitedice && blackchk != whitechk);

    const Snapshot read = Take();
    const std::string written =
        ComposeConfigIni(CollectConfigIniInput(mainWindowLeft, mainWindowTop));
    Start(written);
    FUZZ_CHECK(Take() == read);

    // What the input left is freed within it (libFuzzer checks for leaks when it is not).
    ClearLobby();
    SetLoginFields({}, {});
    return 0;
}
