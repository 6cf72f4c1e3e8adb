// The connection log that `Tavlora.exe /log` keeps for support: one line per event, in
// UTC, with what happened to the connection and the numbers, types and lengths of the
// messages, never their contents. Records collect in memory; a writer thread of the
// platform takes them and appends them to the file. Off unless started: every call site
// tests one flag first, so a hub without /log does nothing more than that test.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Size at which the file is renamed to the older one (whose former content goes) and a
// new one begun.
inline constexpr std::uint64_t kConnectionLogCap = 1024 * 1024;

extern bool connectionLogOn;

// Turns the log on (before any thread that logs starts). `wake` is called when a record
// arrives in an empty buffer: the writer has something to take.
void StartConnectionLog(void (*wake)());
// The lines recorded since the last take; while nobody takes them, records past
// kConnectionLogCap are dropped and counted in a line of their own.
std::string TakeConnectionLog();
// Turns the log off and drops what it holds (the tests, after theirs).
void StopConnectionLog();

// The recording calls, for use through the inline wrappers below.
void RecordConnectionEvent(std::string_view before, std::int64_t number, std::string_view after);
void RecordConnectionEvent(std::string_view event);
void RecordWireMessage(std::string_view direction, std::string_view message, int attempt);

// "<before><number><after>", or the event alone.
inline void LogConnection(std::string_view before, std::int64_t number,
                          std::string_view after = {}) {
    if (connectionLogOn) RecordConnectionEvent(before, number, after);
}
inline void LogConnection(std::string_view event) {
    if (connectionLogOn) RecordConnectionEvent(event);
}
// One message as it crossed the wire ("in", "out", "resend"), without its "!" or with it.
inline void LogWireMessage(std::string_view direction, std::string_view message, int attempt = 0) {
    if (connectionLogOn) RecordWireMessage(direction, message, attempt);
}

// The pieces, for the tests: a line with its time, a message's record ("<direction>
// <number> type <type> length <bytes with the "!">", " attempt <n>" for a resend, an
// acknowledgement as "<direction> ack <number>"), and how many bytes of `pending` (whole
// lines) a file of `fileSize` bytes takes before passing the cap; 0 means rotate first.
// An empty file takes at least the first line, so a writer always moves on.
std::string LogLine(std::chrono::system_clock::time_point when, std::string_view record);
std::string WireRecord(std::string_view direction, std::string_view message, int attempt);
std::size_t LogBytesThatFit(std::uint64_t fileSize, std::string_view pending);
