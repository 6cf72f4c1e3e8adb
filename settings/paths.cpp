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
