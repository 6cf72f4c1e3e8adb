// The contacts requests: each one message on the outbound queue.
#include "lobby/contact_requests.h"

#include "lobby/presence.h"
#include "net/queues.h"
#include "net/wire.h"

namespace {
constexpr std::size_t kShortestNickname = 3;
}  // namespace

void RequestContactRelation(std::int32_t contactId, std::int32_t relation) {
    PushOutbound(ComposeContactRelation(contactId, relation));
}

void RequestContactDeletion(std::int32_t contactId) {
    PushOutbound(ComposeDeleteContact(contactId));
}

bool RequestContactAddition(const std::wstring& nickname) {
    if (nickname.size() < kShortestNickname) return false;
    PushOutbound(ComposeAddContact(nickname));
    return true;
}

void RequestOwnPresence(std::int32_t presence) {
    if (presence != ownPresence) PushOutbound(ComposePresence(presence));
}
