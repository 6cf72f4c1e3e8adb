// Carry-over handling of the receive loop.
#include "net/receive_assembler.h"

ReadOutcome AcceptRead(ReceiveAssembler& assembler, std::string_view read, std::string& entry,
                       std::size_t maxCarryOver) {
    const bool endsOnBoundary = !read.empty() && read.back() == '!';
    std::size_t zero = read.find('\0');
    if (zero != std::string_view::npos) read = read.substr(0, zero);
    if (endsOnBoundary) {
        entry = std::move(assembler.carryOver);
        entry.append(read);
        assembler.carryOver.clear();
        return ReadOutcome::Complete;
    }
    if (assembler.carryOver.size() + read.size() > maxCarryOver) {
        assembler.carryOver.clear();
        assembler.carryOver.shrink_to_fit();
        return ReadOutcome::Overflow;
    }
    assembler.carryOver.append(read);
    return ReadOutcome::Carried;
}
