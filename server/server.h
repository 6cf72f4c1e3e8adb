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
    int record_fd = -1;
    std::string out;  // not yet written
    bool dead = false;
    std::int64_t close_at_ms = kNoDeadline;  // set: close once `out` is written, at the latest then

    // Inbound connections.
    std::string token;
    std::string greeting_rest;
    std::int64_t greeting_rest_ms = kNoDeadline;

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
    bool scenario_reported = false;
    bool ended = false;
};

struct Server {
    Options options;
    Script script;
    int inbound_listener = -1;
    int outbound_listener = -1;
    std::uint16_t inbound_port = 0;  // as bound (options may ask for any free port)
    std::uint16_t outbound_port = 0;
    int wake_read = -1;
    int wake_write = -1;
    ControlChannel control;
    std::int64_t control_poll_ms = kNoDeadline;
    std::map<int, Connection> connections;  // by id
    int next_connection_id = 1;
    int inbound_count = 0;
    int outbound_count = 0;
    std::map<int, Pair> pairs;  // by id
    int next_pair_id = 1;
    int current_pair = 0;  // the most recent pair: the control channel's target
    std::uint32_t token_counter = 0;
    FILE* report = stdout;  // the few lines tests wait for; nullptr: log only
};

// Binds both listeners, opens the control channel; false with `error`.
bool StartServer(Server& server, const Options& options, const Script& script, std::string& error);
// Serves until StopServer.
void RunServer(Server& server);
// From another thread or a signal handler: makes RunServer return.
void StopServer(int wake_write_fd);
// Closes every socket and the control channel.
void CloseServer(Server& server);

// --- Connections and pairs (pairing.cpp) ---
std::int64_t NowMs();
void Report(Server& server, const std::string& line);
void AcceptConnections(Server& server, bool inbound, std::int64_t now_ms);
void ReadConnection(Server& server, int id, std::int64_t now_ms);
void WriteConnection(Server& server, Connection& connection);
void CloseConnection(Server& server, int id, std::string_view reason, bool by_client);
// Runs every pair's session and steps, writes, closes what is due; the earliest deadline.
std::int64_t TickServer(Server& server, std::int64_t now_ms);
void ApplyControlLine(Server& server, std::string_view line, std::int64_t now_ms);
