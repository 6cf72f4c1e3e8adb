// Message framing of the client's stream. Only the new bytes are searched for "!", so a
// long message arriving in many reads costs linear time.
#include "server/framing.h"

bool FeedMessages(MessageReader& reader, std::string_view bytes,
                  std::vector<std::string>& messages) {
    std::size_t start = 0;
    while (true) {
        std::size_t bang = bytes.find('!', start);
        if (bang == std::string_view::npos) break;
        reader.tail.append(bytes.substr(start, bang - start));
        messages.push_back(std::move(reader.tail));
        reader.tail.clear();
        start = bang + 1;
    }
    reader.tail.append(bytes.substr(start));
    return reader.tail.size() <= reader.limit;
}
