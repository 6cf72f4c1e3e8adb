// Demo accounts of the development server (documented in the README).
#include "server/accounts.h"

#include <string>

#include "net/wire.h"

namespace {

const Account kAccounts[] = {
    {"demo", "demo1234", LOGIN_ACCEPTED, 1001, 1, 0},
    {"admin", "admin1234", LOGIN_ACCEPTED, 1002, 1, 1},
    {"deutsch", "deutsch1", LOGIN_ACCEPTED, 1003, 2, 0},
    {"suspended", "suspend1", LOGIN_SUSPENDED, 1004, 1, 0},
    {"inactive", "inactive1", LOGIN_NOT_ACTIVATED, 1005, 1, 0},
};

}  // namespace

std::span<const Account> Accounts() {
    return kAccounts;
}

const Account* FindAccount(std::string_view userCommaPassword) {
    for (const Account& account : kAccounts) {
        std::string expected = std::string(account.user) + "," + account.password;
        if (expected == userCommaPassword) return &account;
    }
    return nullptr;
}

std::int32_t LoginResultFor(const Account* account) {
    return account != nullptr ? account->loginResult : LOGIN_WRONG_CREDENTIALS;
}
