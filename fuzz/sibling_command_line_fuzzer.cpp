// The development sibling programs' start: the command line the hub (or a person) gave,
// split into the program's fields, the window's identity and the lines it shows, and the
// test-mode file beside the log.
//
// Input: one control byte, then the command line.
//   bits 0-6  the program (RoomView, BoardView, JoinView, ChatView, KXDebug), modulo 5
//   bit 7     the command line is UTF-16 units (little-endian pairs), else UTF-8
// The same bytes are also read as the test-mode file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/text_convert.h"
#include "siblings/sibling_fields.h"
#include "siblings/sibling_state.h"
#include "siblings/sibling_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto kind = static_cast<SiblingKind>((data[0] & 0x7F) % 5);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::wstring commandLine;
    if (data[0] & 0x80) {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            commandLine.push_back(
                static_cast<wchar_t>(static_cast<std::uint8_t>(bytes[i]) |
                                     static_cast<std::uint8_t>(bytes[i + 1]) << 8));
    } else {
        commandLine = WideFromUtf8(bytes);
    }

    const std::wstring arguments = ArgumentsOf(commandLine);
    const std::vector<std::string> values = FieldValues(kind, arguments);
    const SiblingIdentity identity = IdentityOf(kind, values);
    EscapeControls(Utf8FromWide(arguments));
    for (const std::string& line : DescribeFields(kind, values))
        ReadableText(line);
    ModeFor(bytes, ProgramName(kind), identity.id);
    DescribeState(StartState(kind, identity));
    return 0;
}
