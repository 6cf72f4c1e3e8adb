// Base64 as the hub decodes it (news lines, config.ini, the siblings' paths and chat):
// any text decodes to at most three bytes per four characters, decoding stops at the
// first character outside the alphabet, and encoding what came out decodes to it again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "net/text_convert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string decoded = Base64Decode(text);
    FUZZ_CHECK(decoded.size() <= text.size() / 4 * 3 + 2);

    const std::string encoded = Base64Encode(decoded);
    FUZZ_CHECK(encoded.size() == (decoded.size() + 2) / 3 * 4);
    FUZZ_CHECK(Base64Decode(encoded) == decoded);
    // Only the alphabet's characters up to the first other one count.
    std::size_t used = 0;
    while (used < text.size() &&
           std::string_view(kBase64Alphabet).find(text[used]) != std::string_view::npos)
        ++used;
    FUZZ_CHECK(Base64Decode(text.substr(0, used)) == decoded);
    // Any bytes survive the way there and back.
    FUZZ_CHECK(Base64Decode(Base64Encode(text)) == text);
    return 0;
}
