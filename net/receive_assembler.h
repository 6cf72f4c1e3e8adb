// Reassembly of the receive loop's reads into queue entries: a read whose last byte is
// "!" ends on a message boundary and is pushed together with everything carried over
// before it; any other read is carried over.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct ReceiveAssembler {
    std::string carryOver;
};

enum class ReadOutcome { Carried, Complete, Overflow };

// `read` is one successful read's bytes. On Complete, `entry` holds the text to push.
// A zero byte ends the text of a read (the bytes after it are dropped), as for a
// terminated C string; whether the read ends on "!" is decided by its last byte.
ReadOutcome AcceptRead(ReceiveAssembler& assembler, std::string_view read, std::string& entry,
                       std::size_t maxCarryOver);
