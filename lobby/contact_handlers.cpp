// Contact relations and private messages from the server: the contacts list kept and
// relayed, conversations started in ChatView.exe.
#include "lobby/lobby_handlers.h"

#include "lobby/conversations.h"
#include "lobby/handler_helpers.h"
#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"
#include "lobby/record_items.h"
#include "lobby/relay.h"
#include "net/relay_codes.h"
#include "net/text_convert.h"

void OnContacts(const FieldList& fields) {
    SiblingBatch batch;
    const std::string_view list = FieldAt(fields, 2);
    ForEachPiece(list, ';', [&](std::string_view record) {
        using C = ContactRecord;
        const C contact = ReadRecord(record, &C::contactId, &C::playerId, &C::relation);
        const std::size_t at = FirstContact(contact.contactId);
        if (at != kNotFound)
            SetContactRelationAt(at, contact.relation);
        else
            AddContact(contact);
    });
    BroadcastToChildWindows(RELAY_CONTACTS, list);
    LobbyRefreshContacts();
}

void OnAddContactResult(const FieldList& fields) {
    LobbyShowAddContactFailure(NumberField(fields, 2));
}

void OnContactChanged(const FieldList& fields) {
    SiblingBatch batch;
    const std::int32_t contactId = NumberField(fields, 2);
    const std::int32_t relation = NumberField(fields, 3);
    const std::size_t at = FirstContact(contactId);
    if (at != kNotFound) SetContactRelationAt(at, relation);
    BroadcastToChildWindows(RELAY_CONTACT_CHANGED, Pair(contactId, ',', relation));
    LobbyRefreshContacts();
}

void OnContactRemoved(const FieldList& fields) {
    SiblingBatch batch;
    const std::int32_t contactId = NumberField(fields, 2);
    RemoveContactAt(FirstContact(contactId));
    BroadcastToChildWindows(RELAY_CONTACT_REMOVED, IntToText(contactId));
    LobbyRefreshContacts();
}

void OnPrivateMessage(const FieldList& fields) {
    // The text is everything after the player id: a comma in it stays.
    std::string text;
    for (std::size_t i = 3; i < fields.size(); ++i) {
        if (i > 3) text += ',';
        text += fields[i];
    }
    RequestChatWindow(NumberField(fields, 2), text);
}

void OnUndeliverable(const FieldList& fields) {
    // Nothing of the message is held while the box is up: the hub keeps dispatching.
    const std::int32_t reason = NumberField(fields, 2);
    const std::wstring nickname = WideFromUtf8(Base64Decode(FieldAt(fields, 3)));
    ShowUndeliverable(reason, nickname);
}
