// The server's built-in accounts and the check of a login text against them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

struct Account {
    const char* user;          // UTF-8
    const char* password;      // UTF-8
    std::int32_t loginResult;  // reply of type 11: 3 suspended, 4 not activated, 5 accepted
    std::int32_t playerId;
    std::int32_t language;  // 1 English, 2 German, 3 Italian, 4 Polish
    std::int32_t admin;     // 1 for an administrator
};

std::span<const Account> Accounts();

// The login field decoded from Base64 is "<user>,<password>". A user name or password may
// itself hold ",", so each account's "<user>,<password>" is compared with the whole text
// instead of splitting it. nullptr when no account matches.
const Account* FindAccount(std::string_view userCommaPassword);

// Result for the login reply: the account's result, or 2 (wrong name or password).
std::int32_t LoginResultFor(const Account* account);
