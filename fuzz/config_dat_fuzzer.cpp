// config.dat as start-up reads it: 96 bytes become the chat font and its colour, any
// other size changes nothing, and the writer gives back exactly the bytes it read.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "settings/config_dat.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ResetSettingsToDefaults();
    const std::string before = ComposeConfigDat();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool taken = ApplyConfigDat(bytes);
    FUZZ_CHECK(taken == (size == kConfigDatBytes));
    FUZZ_CHECK(ComposeConfigDat() == (taken ? std::string(bytes) : before));
    return 0;
}
