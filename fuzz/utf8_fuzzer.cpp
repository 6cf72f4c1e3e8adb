// The UTF-8 conversions: names, chat and news from the server, config.ini's login, the
// siblings' texts. Any bytes decode (malformed sequences as U+FFFD) to well-formed
// UTF-16 of at most one unit per byte; any UTF-16 encodes within the result limit; and
// decoded text goes there and back unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "net/text_convert.h"

namespace {

bool WellFormed(const std::wstring& wide) {
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const auto unit = static_cast<std::uint32_t>(wide[i]);
        if (unit > 0xFFFF) return false;
        if (unit >= 0xDC00 && unit <= 0xDFFF) return false;  // a low half without its high
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 >= wide.size()) return false;
            const auto low = static_cast<std::uint32_t>(wide[i + 1]);
            if (low < 0xDC00 || low > 0xDFFF) return false;
            ++i;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::wstring wide = WideFromUtf8(bytes);
    FUZZ_CHECK(wide.size() <= bytes.size());
    FUZZ_CHECK(WellFormed(wide));
    const std::string again = Utf8FromWide(wide);
    FUZZ_CHECK(again.size() <= kUtf8ResultLimit);
    if (!again.empty() || wide.empty()) FUZZ_CHECK(WideFromUtf8(again) == wide);

    // The same bytes as UTF-16 units (little-endian pairs), as typed into an edit field.
    std::wstring units;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        units.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
    const std::string encoded = Utf8FromWide(units);
    FUZZ_CHECK(encoded.size() <= kUtf8ResultLimit);
    const std::wstring decoded = WideFromUtf8(encoded);
    FUZZ_CHECK(WellFormed(decoded));
    if (WellFormed(units) && !encoded.empty()) FUZZ_CHECK(decoded == units);

    const std::wstring narrow = WideFromNarrow(bytes);
    FUZZ_CHECK(narrow.size() == std::min(bytes.size(), bytes.find('\0')));
    return 0;
}
