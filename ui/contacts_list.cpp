// The contacts window's display list, context menu and add check.
#include "ui/contacts_list.h"

#include <algorithm>

#include "lobby/contact_requests.h"
#include "lobby/lobby_state.h"
#include "settings/settings.h"

std::vector<ContactRow> contactRows;
std::int32_t selectedContactId = 0;
std::int32_t contextContactId = 0;

namespace {

constexpr std::int32_t kIgnored = 2, kFriend = 0, kPlain = 1;

wchar_t AsciiLower(wchar_t unit) {
    return unit >= L'A' && unit <= L'Z' ? static_cast<wchar_t>(unit - L'A' + L'a') : unit;
}

}  // namespace

void SetSelectedContact(std::int32_t contactId) {
    selectedContactId = contactId;
}

void SetContextContact(std::int32_t contactId) {
    contextContactId = contactId;
}

void ClearContactRows() {
    contactRows.clear();
    selectedContactId = 0;
    contextContactId = 0;
}

bool ContactNameLess(const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](wchar_t x, wchar_t y) { return AsciiLower(x) < AsciiLower(y); });
}

void RebuildContactRows() {
    contactRows.clear();
    bool selectionListed = false;
    for (const ContactRecord& relation : ContactRelations()) {
        if (showIgnored == 0 && relation.relation == kIgnored) continue;
        const std::size_t at = FirstPlayer(relation.playerId);
        if (at == kNotFound) continue;
        const PlayerRecord& player = Players()[at];
        contactRows.push_back(
            {relation.contactId, relation.playerId, player.name, relation.relation, player.status});
        if (relation.contactId == selectedContactId) selectionListed = true;
    }
    if (contactSortOrder == 0) {
        std::sort(contactRows.begin(), contactRows.end(),
                  [](const ContactRow& a, const ContactRow& b) {
                      if (a.presence != b.presence) return a.presence > b.presence;
                      return ContactNameLess(a.name, b.name);
                  });
    } else {
        std::sort(contactRows.begin(), contactRows.end(),
                  [](const ContactRow& a, const ContactRow& b) {
                      if (a.relation != b.relation) return a.relation < b.relation;
                      return ContactNameLess(a.name, b.name);
                  });
    }
    if (!selectionListed) selectedContactId = 0;
}

int ContactRowAt(int y, int scroll) {
    if (y < 0) return -1;
    const long long row = static_cast<long long>(y / kContactRowHeight) + scroll;
    if (row < 0 || row >= static_cast<long long>(contactRows.size())) return -1;
    return static_cast<int>(row);
}

int ContactRowOf(std::int32_t contactId) {
    for (std::size_t i = 0; i < contactRows.size(); ++i)
        if (contactRows[i].contactId == contactId) return static_cast<int>(i);
    return -1;
}

int ContextMenuRowAt(int y) {
    if (y < kContextMenuFirstRowTop || y >= ContextMenuRowTop(CONTEXT_DELETE + 1))
        return CONTEXT_NONE;
    return (y - kContextMenuFirstRowTop) / kContextMenuRowHeight + 1;
}

bool InsideContextMenu(int x, int y) {
    return x >= 0 && x < kContextMenuWidth && y >= 0 && y < kContextMenuHeight;
}

MenuPlace PlaceContextMenu(int pointerX, int pointerY, int left, int top, int right, int bottom) {
    // The height kept free below is more than the menu's own, as the window always had.
    constexpr int kKeptBelow = 150;
    MenuPlace place{pointerX - 2, pointerY - 2};
    place.x = std::min(place.x, right - kContextMenuWidth);
    place.y = std::min(place.y, bottom - kKeptBelow);
    place.x = std::max(place.x, left);
    place.y = std::max(place.y, top);
    return place;
}

ContextMenuTexts ContextMenuTextsFor(const ContactRow& contact) {
    ContextMenuTexts texts;
    texts.name = contact.name;
    if (contact.presence > 2) texts.privateMessage = Text(TextId::ContactsItemPrivateMessage);
    texts.friends = Text(contact.relation == kFriend ? TextId::ContextRemoveFromFriends
                                                     : TextId::ContextAddToFriends);
    texts.ignore = Text(contact.relation == kIgnored ? TextId::ContextRemoveFromIgnored
                                                     : TextId::ContextAddToIgnored);
    texts.remove = Text(TextId::ContextDeleteContact);
    return texts;
}

bool ContextMenuClick(int row, const ContactRow& contact) {
    switch (row) {
        case CONTEXT_PRIVATE_MESSAGE:
            return contact.presence > 2;
        case CONTEXT_FRIENDS:
            RequestContactRelation(contact.contactId,
                                   contact.relation == kFriend ? kPlain : kFriend);
            break;
        case CONTEXT_IGNORE:
            RequestContactRelation(contact.contactId,
                                   contact.relation == kIgnored ? kPlain : kIgnored);
            break;
        case CONTEXT_DELETE:
            RequestContactDeletion(contact.contactId);
            break;
        default:
            break;
    }
    return false;
}

TextId AddContactFailureText(int resultCode) {
    return resultCode == 2 ? TextId::AddContactAlreadyListed : TextId::AddContactNoSuchNickname;
}
