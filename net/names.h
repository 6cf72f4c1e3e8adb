// Names that other processes see or that the whole program shares: window classes,
// mutexes, the registered message, the relay prefix and the protocol constants.
#pragma once

#include <cstdint>

// Window classes and mutexes other processes rely on.
inline constexpr wchar_t kMainWindowClass[] = L"KXLobby0";
inline constexpr wchar_t kMainWindowTitle[] = L"Tavlora";
inline constexpr wchar_t kSingleInstanceMutexName[] = L"TavloraExe";
inline constexpr wchar_t kQueueMutexName[] = L"KXL0Mutex";
inline constexpr wchar_t kDebugWindowClass[] = L"KXDebug";
inline constexpr wchar_t kRegisteredMessageName[] = L"TavloraIntMessage";

// Prefixes of the sibling windows' classes; the decimal id follows.
inline constexpr wchar_t kRoomClassPrefix[] = L"KXLobby";
inline constexpr wchar_t kTournamentClassPrefix[] = L"KXTourny";
inline constexpr wchar_t kTableClassPrefix[] = L"KXTable";
inline constexpr wchar_t kTournamentTableClassPrefix[] = L"KXTTable";
inline constexpr wchar_t kJoinClassPrefix[] = L"KXLaunch";
inline constexpr wchar_t kTournamentJoinClassPrefix[] = L"KXTLaunch";

// Every WM_COPYDATA text between the hub and its siblings starts with this.
inline constexpr char kRelayPrefix[] = "KXMessage,";

// The protocol version this client speaks (greeting, introduction, config.ini, siblings).
inline constexpr std::int32_t kClientVersion = 73;
// Server ports: 3556 carries the greeting and then everything the server sends,
// 3555 the introduction and then everything the client sends.
inline constexpr std::uint16_t kInboundPort = 3556;
inline constexpr std::uint16_t kOutboundPort = 3555;
