// Starting the sibling programs from the hub's own folder.
#pragma once

#include <string>

// ChatView.exe for a private conversation; the hub does not wait for it.
void OpenChatWindow(bool isContact, const std::wstring& name, const std::wstring& text);
