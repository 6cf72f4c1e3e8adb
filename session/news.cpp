// News lines from the server.
#include "session/news.h"

#include "net/text_convert.h"
#include "session/ui_port.h"

std::vector<std::wstring> newsLines;

void OnNews(const FieldList& fields) {
    newsLines.push_back(WideFromUtf8(Base64Decode(FieldAt(fields, 2))));
    if (newsLines.size() > kMaxNewsLines) newsLines.erase(newsLines.begin());
    UiRepaint(WinId::News);
}

void ClearNews() {
    newsLines.clear();
    UiRepaint(WinId::News);
}
