// Private conversations: ChatView.exe started for a message or a sibling's request, and
// the box that reports a message the server could not deliver.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A conversation with a player: `text` is the message as received (UTF-8 bytes, passed on
// one byte per unit), empty for a request from a sibling. Nothing starts for an ignored
// player (relation 2), nor without a text for a known player shown as gone, offline or not
// to be disturbed (status 2 or lower). An unknown player gets an empty name; the partner
// counts as a contact with a relation of 0 or 1.
void RequestChatWindow(std::int32_t playerId, std::string_view text);

// Caption and text of the box for an undelivered message, in the hub's language (1 English
// and any unknown index, 2 German, 3 Italian, 4 Polish): the first line, "\r\n", the
// nickname, a space and the reason's text (empty for a reason outside 1 to 4).
std::wstring UndeliverableCaption(int language);
std::wstring UndeliverableText(int language, std::int32_t reason, const std::wstring& nickname);

// Type 62: the box, owned by the contacts window, in the current language.
void ShowUndeliverable(std::int32_t reason, const std::wstring& nickname);
