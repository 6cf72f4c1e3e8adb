// Paths and query keys of the ten web pages.
#include "app/web_addresses.h"

namespace {
constexpr const wchar_t* kPaths[] = {
    L"index.php?page=backgammon/tavlora&topic=download&language=",  // Download
    L"index.php?topic=members/lostpass&language=",                  // LostPassword
    L"index.php?topic=members/signup&language=",                    // NewSignup
    L"index.php?topic=members/activate&language=",                  // Activation
    L"index.php?topic=members/contact&language=",                   // Contact
    L"index.php?page=backgammon/tavlora&language=",                 // Product
    L"index.php?topic=members/usereditor&language=",                // UserEditor
    L"index.php?page=backgammon/tavlora&topic=faq&language=",       // Faq
    L"index.php?page=admins&language=",                             // Administrators
    L"index.php?topic=members/cashier&language=",                   // Cashier
};
static_assert(std::size(kPaths) == static_cast<std::size_t>(WebPage::Cashier) + 1);
}  // namespace

std::wstring WebAddress(WebPage page, int language) {
    return std::wstring(kWebSite) + kPaths[static_cast<int>(page)] + std::to_wstring(language);
}
