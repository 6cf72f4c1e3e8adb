// Handlers of the server messages that change the lobby, relay texts to the sibling
// windows, or concern contacts, private conversations and join requests.
#pragma once

#include "net/wire.h"

void OnPresenceChange(const FieldList& fields);    // 17
void OnPlayers(const FieldList& fields);           // 21
void OnPlayerGone(const FieldList& fields);        // 22
void OnRooms(const FieldList& fields);             // 31
void OnRoomPresences(const FieldList& fields);     // 32
void OnRoomRemoved(const FieldList& fields);       // 33
void OnRoomRelay(const FieldList& fields);         // 34
void OnRoomLeft(const FieldList& fields);          // 38
void OnContacts(const FieldList& fields);          // 51
void OnAddContactResult(const FieldList& fields);  // 52
void OnContactChanged(const FieldList& fields);    // 53
void OnContactRemoved(const FieldList& fields);    // 54
void OnPrivateMessage(const FieldList& fields);    // 61
void OnUndeliverable(const FieldList& fields);     // 62
void OnTables(const FieldList& fields);            // 71
void OnSeats(const FieldList& fields);             // 72
void OnTableRemoved(const FieldList& fields);      // 73
void OnJoinRequest(const FieldList& fields);       // 101
void OnJoinResult(const FieldList& fields);        // 103
void OnSeatRemoved(const FieldList& fields);       // 112
void OnTableRelay(const FieldList& fields);        // 114
