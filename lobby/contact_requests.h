// What the player asks of the server about contacts and the own presence. Each request
// queues its message; the contacts model changes only when the server answers.
#pragma once

#include <cstdint>
#include <string>

void RequestContactRelation(std::int32_t contactId, std::int32_t relation);
void RequestContactDeletion(std::int32_t contactId);
// False, and nothing queued, when the name is too short to be a nickname.
bool RequestContactAddition(const std::wstring& nickname);
// Nothing is queued when `presence` (1..4) is the own presence already.
void RequestOwnPresence(std::int32_t presence);
