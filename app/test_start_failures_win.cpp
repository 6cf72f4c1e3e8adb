// Built into TavloraTest.exe only, never into Tavlora.exe: makes one start-up step fail,
// so that an end-to-end test can see how the hub ends then. The step is named by the
// environment variable TAVLORA_TEST_FAIL:
//   winsock         WSAStartup answers that the network is not ready
//   <class name>    creating a window of that class fails (for a class of the main
//                   window's registry, the main window's creation fails with it)
// Both are set up before the entry point runs.
#include <winsock2.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

std::wstring FailingStep() {
    wchar_t step[256] = {};
    const DWORD length = GetEnvironmentVariableW(L"TAVLORA_TEST_FAIL", step, 256);
    return length > 0 && length < 256 ? std::wstring(step, length) : std::wstring();
}

const std::wstring failingStep = FailingStep();

int WSAAPI NetworkNotReady(WORD, LPWSADATA) {
    return WSASYSNOTREADY;
}

// Points the program's import of `function` from `library` at `replacement`.
bool ReplaceImport(const char* library, const char* function, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* named =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(named->Name), function) != 0) continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                           &protection);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK RefuseFailingClass(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        wchar_t name[256] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), name, 256);
        if (failingStep == name) return 1;  // CreateWindowExW answers NULL
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HHOOK SetUpFailure() {
    if (failingStep.empty()) return nullptr;
    if (failingStep == L"winsock") {
        ReplaceImport("ws2_32.dll", "WSAStartup", reinterpret_cast<void*>(&NetworkNotReady));
        return nullptr;
    }
    return SetWindowsHookExW(WH_CBT, RefuseFailingClass, nullptr, GetCurrentThreadId());
}

const HHOOK failureHook = SetUpFailure();

}  // namespace
