// The development server's sockets and connection pairs: one thread, one poll loop over
// non-blocking sockets, the control channel and a wake-up pipe.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "server/control_channel.h"
#include "server/options.h"
#include "server/script.h"
#include "server/session.h"
#include "server/step_runner.h"

struct Connection {
    int id = 0;
    int fd = -1;
    bool inbound = true;  // accepted on the inbound (greeting) port
    int number = 0;       // per port, from 1
    int recordFd = -1;
    std::string out;  // not yet written
    bool dead = false;
    std::int64_t closeAtMs = kNoDeadline;  // set: close once `out` is written, at the latest then

    // Inbound connections.
    std::string token;
    std::string greetingRest;
    std::int64_t greetingRestMs = kNoDeadline;

    // Outbound connections before pairing.
    std::string introduction;
    bool answered = false;

    int pair = 0;  // 0 until paired
};

struct Pair {
    int id = 0;
    int inbound = 0;  // connection ids
    int outbound = 0;
    Session session;
    StepRunner scenario;
    StepRunner control;
    bool scenarioReported = false;
    bool ended = false;
};

struct Server {
    Options options;
    Script script;
    int inboundListener = -1;
    int outboundListener = -1;
    std::uint16_t inboundPort = 0;  // as bound (options may ask for any free port)
    std::uint16_t outboundPort = 0;
    int wakeRead = -1;
    int wakeWrite = -1;
    ControlChannel control;
    std::int64_t controlPollMs = kNoDeadline;
    std::map<int, Connection> connections;  // by id
    int nextConnectionId = 1;
    int inboundCount = 0;
    int outboundCount = 0;
    std::map<int, Pair> pairs;  // by id
    int nextPairId = 1;
    int currentPair = 0;  // the most recent pair: the control channel's target
    std::uint32_t tokenCounter = 0;
    FILE* report = stdout;  // the few lines tests wait for; nullptr: log only
};

// Binds both listeners, opens the control channel; false with `error`.
bool StartServer(Server& server, const Options& options, const Script& script, std::string& error);
// Serves until StopServer.
void RunServer(Server& server);
// From another thread or a signal handler: makes RunServer return.
void StopServer(int wakeWriteFd);
// Closes every socket and the control channel.
void CloseServer(Server& server);

// --- Connections and pairs (pairing.cpp) ---
std::int64_t NowMs();
void Report(Server& server, const std::string& line);
void AcceptConnections(Server& server, bool inbound, std::int64_t nowMs);
void ReadConnection(Server& server, int id, std::int64_t nowMs);
void WriteConnection(Server& server, Connection& connection);
void CloseConnection(Server& server, int id, std::string_view reason, bool byClient);
// Runs every pair's session and steps, writes, closes what is due; the earliest deadline.
std::int64_t TickServer(Server& server, std::int64_t nowMs);
void ApplyControlLine(Server& server, std::string_view line, std::int64_t nowMs);
