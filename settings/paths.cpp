// Folders and paths.
#include "settings/paths.h"

#include <utility>

std::wstring ProgramFolder;
std::wstring documentsFolder;
std::wstring savedGamesFolder;
std::wstring settingsFolder;
std::wstring configIniPath;
std::wstring configDatPath;

std::wstring ProgramFolderFromCommandLine(std::wstring_view commandLine) {
    std::wstring folder;
    std::wstring piece;
    for (std::size_t i = 1; i < commandLine.size(); ++i) {
        if (commandLine[i] == L'\\') {
            folder += piece;
            folder += L'\\';
            piece.clear();
        } else {
            piece += commandLine[i];
        }
    }
    return folder;
}

bool CommandLineAsksForLog(std::wstring_view commandLine) {
    // The program's path, quoted or up to the first blank, then arguments between blanks.
    std::size_t at = commandLine.starts_with(L'"') ? commandLine.find(L'"', 1) : 0;
    at = commandLine.find_first_of(L" \t", at == std::wstring_view::npos ? 0 : at);
    while (at != std::wstring_view::npos) {
        const std::size_t start = commandLine.find_first_not_of(L" \t", at);
        if (start == std::wstring_view::npos) break;
        at = commandLine.find_first_of(L" \t", start);
        const std::wstring_view argument = commandLine.substr(start, at - start);
        if (argument.size() == 4 && argument[0] == L'/' && (argument[1] | 0x20) == L'l' &&
            (argument[2] | 0x20) == L'o' && (argument[3] | 0x20) == L'g')
            return true;
    }
    return false;
}

void FormPaths(const std::wstring& documents, const std::wstring& localAppData) {
    if (!documents.empty()) {
        documentsFolder = documents + L"\\Tavlora";
        savedGamesFolder = documentsFolder + L"\\SavedGames";
    } else {
        documentsFolder = ProgramFolder;
        savedGamesFolder = ProgramFolder;
    }
    settingsFolder = localAppData.empty() ? ProgramFolder : localAppData + L"\\Tavlora";
    configIniPath = settingsFolder + L"\\config.ini";
    configDatPath = settingsFolder + L"\\config.dat";
}

void SetProgramFolder(std::wstring folder) {
    ProgramFolder = std::move(folder);
}
