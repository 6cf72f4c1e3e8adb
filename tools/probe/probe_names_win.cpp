// Message and virtual-key name tables of the probe.
#include "tools/probe/probe_names_win.h"

#include "net/names.h"
#include "tools/probe/probe_text.h"

namespace {

struct NamedValue {
    std::string_view name;
    UINT value;
};

constexpr NamedValue kMessages[] = {
    {"WM_NULL", WM_NULL},
    {"WM_CLOSE", WM_CLOSE},
    {"WM_DESTROY", WM_DESTROY},
    {"WM_QUIT", WM_QUIT},
    {"WM_COMMAND", WM_COMMAND},
    {"WM_SYSCOMMAND", WM_SYSCOMMAND},
    {"WM_TIMER", WM_TIMER},
    {"WM_PAINT", WM_PAINT},
    {"WM_MOVE", WM_MOVE},
    {"WM_SIZE", WM_SIZE},
    {"WM_ACTIVATE", WM_ACTIVATE},
    {"WM_ACTIVATEAPP", WM_ACTIVATEAPP},
    {"WM_SETFOCUS", WM_SETFOCUS},
    {"WM_KILLFOCUS", WM_KILLFOCUS},
    {"WM_SHOWWINDOW", WM_SHOWWINDOW},
    {"WM_TIMECHANGE", WM_TIMECHANGE},
    {"WM_DISPLAYCHANGE", WM_DISPLAYCHANGE},
    {"WM_QUERYENDSESSION", WM_QUERYENDSESSION},
    {"WM_ENDSESSION", WM_ENDSESSION},
    {"WM_CANCELMODE", WM_CANCELMODE},
    {"WM_CAPTURECHANGED", WM_CAPTURECHANGED},
    {"WM_KEYDOWN", WM_KEYDOWN},
    {"WM_KEYUP", WM_KEYUP},
    {"WM_CHAR", WM_CHAR},
    {"WM_MOUSEMOVE", WM_MOUSEMOVE},
    {"WM_MOUSELEAVE", WM_MOUSELEAVE},
    {"WM_MOUSEWHEEL", WM_MOUSEWHEEL},
    {"WM_LBUTTONDOWN", WM_LBUTTONDOWN},
    {"WM_LBUTTONUP", WM_LBUTTONUP},
    {"WM_LBUTTONDBLCLK", WM_LBUTTONDBLCLK},
    {"WM_RBUTTONDOWN", WM_RBUTTONDOWN},
    {"WM_RBUTTONUP", WM_RBUTTONUP},
    {"BM_CLICK", BM_CLICK},
    {"WM_USER", WM_USER},
    {"WM_APP", WM_APP},
};

constexpr NamedValue kKeys[] = {
    {"VK_RETURN", VK_RETURN}, {"VK_TAB", VK_TAB},         {"VK_ESCAPE", VK_ESCAPE},
    {"VK_BACK", VK_BACK},     {"VK_DELETE", VK_DELETE},   {"VK_INSERT", VK_INSERT},
    {"VK_SPACE", VK_SPACE},   {"VK_LEFT", VK_LEFT},       {"VK_RIGHT", VK_RIGHT},
    {"VK_UP", VK_UP},         {"VK_DOWN", VK_DOWN},       {"VK_HOME", VK_HOME},
    {"VK_END", VK_END},       {"VK_PRIOR", VK_PRIOR},     {"VK_NEXT", VK_NEXT},
    {"VK_SHIFT", VK_SHIFT},   {"VK_CONTROL", VK_CONTROL}, {"VK_MENU", VK_MENU},
    {"VK_F1", VK_F1},         {"VK_F2", VK_F2},           {"VK_F3", VK_F3},
    {"VK_F4", VK_F4},         {"VK_F5", VK_F5},           {"VK_F10", VK_F10},
};

std::optional<UINT> Lookup(const NamedValue* table, std::size_t count, std::string_view name) {
    for (std::size_t i = 0; i < count; ++i)
        if (table[i].name == name) return table[i].value;
    return std::nullopt;
}

std::optional<UINT> NumberValue(std::string_view text) {
    auto value = ParseNumber(text);
    if (!value || *value < 0 || *value > 0xFFFFFFFFLL) return std::nullopt;
    return static_cast<UINT>(*value);
}

}  // namespace

std::optional<UINT> MessageFromName(std::string_view name) {
    if (name == "TavloraIntMessage") return RegisterWindowMessageW(kRegisteredMessageName);
    if (auto number = NumberValue(name)) return number;
    std::size_t plus = name.find('+');
    auto base = Lookup(kMessages, std::size(kMessages), name.substr(0, plus));
    if (!base || plus == std::string_view::npos) return base;
    auto offset = NumberValue(name.substr(plus + 1));
    if (!offset) return std::nullopt;
    return *base + *offset;
}

std::optional<UINT> VirtualKeyFromName(std::string_view name) {
    if (name.size() == 1) {
        char c = name[0];
        if (c >= 'a' && c <= 'z') return static_cast<UINT>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<UINT>(c);
    }
    if (auto number = NumberValue(name)) return number;
    return Lookup(kKeys, std::size(kKeys), name);
}

wchar_t CharacterOfKey(UINT virtualKey) {
    switch (virtualKey) {
        case VK_RETURN:
            return L'\r';
        case VK_TAB:
            return L'\t';
        case VK_ESCAPE:
            return 0x1B;
        case VK_BACK:
            return L'\b';
        case VK_SPACE:
            return L' ';
        default:
            break;
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<wchar_t>(virtualKey - 'A' + 'a');
    if (virtualKey >= '0' && virtualKey <= '9') return static_cast<wchar_t>(virtualKey);
    return 0;
}
