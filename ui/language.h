// Changing the language while the program runs: the login flags, the server's language
// message and nothing else call SetLanguage.
#pragma once

// Sets `language` to n and makes every window of the hub, and every sibling window,
// show the new language. No effect when n is the current language. n is not bounded:
// a value outside 1..4 shows English and is passed on unchanged.
void SetLanguage(int n);
