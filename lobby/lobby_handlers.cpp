// The lobby's message handlers. The lobby models that fill them in come with the room
// list, relay, contacts and conversation work; until then the messages are taken (and
// acknowledged) without effect.
#include "lobby/lobby_handlers.h"

void OnPresenceChange(const FieldList&) {}
void OnPlayers(const FieldList&) {}
void OnPlayerGone(const FieldList&) {}
void OnRooms(const FieldList&) {}
void OnRoomPresences(const FieldList&) {}
void OnRoomRemoved(const FieldList&) {}
void OnRoomRelay(const FieldList&) {}
void OnRoomLeft(const FieldList&) {}
void OnContacts(const FieldList&) {}
void OnAddContactResult(const FieldList&) {}
void OnContactChanged(const FieldList&) {}
void OnContactRemoved(const FieldList&) {}
void OnPrivateMessage(const FieldList&) {}
void OnUndeliverable(const FieldList&) {}
void OnTables(const FieldList&) {}
void OnSeats(const FieldList&) {}
void OnTableRemoved(const FieldList&) {}
void OnJoinRequest(const FieldList&) {}
void OnJoinResult(const FieldList&) {}
void OnSeatRemoved(const FieldList&) {}
void OnTableRelay(const FieldList&) {}
