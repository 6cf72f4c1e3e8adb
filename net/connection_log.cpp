// Records of the connection log, collected for the platform's writer.
#include "net/connection_log.h"

#include <cstdio>
#include <mutex>

#include "net/text_convert.h"

bool connectionLogOn = false;

namespace {

std::mutex pendingLock;
std::string pending;
std::int64_t droppedRecords = 0;
void (*wakeWriter)() = nullptr;

void Append(std::string_view record) {
    const std::string line = LogLine(std::chrono::system_clock::now(), record);
    bool first = false;
    {
        std::lock_guard<std::mutex> hold(pendingLock);
        if (pending.size() + line.size() > kConnectionLogCap) {
            ++droppedRecords;
            return;
        }
        first = pending.empty();
        pending += line;
    }
    if (first && wakeWriter != nullptr) wakeWriter();
}

// The text up to the next "," (all of it when there is none); `rest` keeps what follows.
std::string_view NextField(std::string_view& rest, bool& ended) {
    const std::size_t comma = rest.find(',');
    ended = comma != std::string_view::npos;
    const std::string_view field = rest.substr(0, comma);
    rest = ended ? rest.substr(comma + 1) : std::string_view();
    return field;
}

}  // namespace

void StartConnectionLog(void (*wake)()) {
    wakeWriter = wake;
    connectionLogOn = true;
}

void StopConnectionLog() {
    connectionLogOn = false;
    TakeConnectionLog();
}

std::string TakeConnectionLog() {
    std::string taken;
    std::int64_t dropped = 0;
    {
        std::lock_guard<std::mutex> hold(pendingLock);
        taken.swap(pending);
        std::swap(dropped, droppedRecords);
    }
    if (dropped > 0) {
        taken += LogLine(std::chrono::system_clock::now(),
                         std::to_string(dropped) + " records dropped: the log fell behind");
    }
    return taken;
}

void RecordConnectionEvent(std::string_view before, std::int64_t number, std::string_view after) {
    Append(std::string(before) + std::to_string(number) + std::string(after));
}

void RecordConnectionEvent(std::string_view event) {
    Append(event);
}

void RecordWireMessage(std::string_view direction, std::string_view message, int attempt) {
    Append(WireRecord(direction, message, attempt));
}

std::string LogLine(std::chrono::system_clock::time_point when, std::string_view record) {
    using namespace std::chrono;
    const auto day = floor<days>(when);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> time{floor<milliseconds>(when - day)};
    char stamp[40];
    std::snprintf(
        stamp, sizeof stamp, "%04d-%02u-%02u %02d:%02d:%02d.%03d ", static_cast<int>(date.year()),
        static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
        static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
        static_cast<int>(time.seconds().count()), static_cast<int>(time.subseconds().count()));
    std::string line(stamp);
    line += record;
    line += "\r\n";
    return line;
}

std::string WireRecord(std::string_view direction, std::string_view message, int attempt) {
    if (!message.empty() && message.back() == '!') message.remove_suffix(1);
    const std::size_t length = message.size() + 1;
    bool firstEnded = false, secondEnded = false;
    std::string_view rest = message;
    const std::string_view first = NextField(rest, firstEnded);
    const std::string_view second = NextField(rest, secondEnded);
    std::string record(direction);
    // Only the two leading numbers are read: whatever follows them never reaches the log.
    // Appended piece by piece: GCC 12 warns, wrongly, of overlapping copies in
    // `"literal" + std::to_string(...)`.
    const auto add = [&record](std::string_view label, std::int64_t number) {
        record += label;
        record += std::to_string(number);
    };
    if (first == "2" && secondEnded && rest.empty()) {
        add(" ack ", TextToInt(second));
    } else {
        add(" ", TextToInt(first));
        add(" type ", TextToInt(second));
        add(" length ", static_cast<std::int64_t>(length));
    }
    if (attempt > 0) add(" attempt ", attempt);
    return record;
}

std::size_t LogBytesThatFit(std::uint64_t fileSize, std::string_view pending) {
    std::size_t fit = 0;
    while (fit < pending.size()) {
        std::size_t end = pending.find('\n', fit);
        end = end == std::string_view::npos ? pending.size() : end + 1;
        if (fileSize + end > kConnectionLogCap && (fileSize > 0 || fit > 0)) break;
        fit = end;
    }
    return fit;
}
