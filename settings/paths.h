// The program's folders and the settings files' paths, filled at start-up.
#pragma once

#include <string>
#include <string_view>

extern std::wstring ProgramFolder;  // the executable's folder, with a trailing backslash
void SetProgramFolder(std::wstring folder);
extern std::wstring documentsFolder;   // <documents>\Tavlora
extern std::wstring savedGamesFolder;  // <documents>\Tavlora\SavedGames
extern std::wstring settingsFolder;    // <local application data>\Tavlora
extern std::wstring configIniPath;
extern std::wstring configDatPath;

// The folder part of the command line: scanned from its second character (the first is
// taken to be an opening quotation mark), every backslash closes a piece, the last piece
// (the file name and whatever follows it) is dropped.
std::wstring ProgramFolderFromCommandLine(std::wstring_view commandLine);

// True when an argument after the program's path is "/log" (in any case): the one
// option, which starts the connection log.
bool CommandLineAsksForLog(std::wstring_view commandLine);

// Fills the paths from the two shell folders; an empty shell folder (not found) falls
// back to ProgramFolder.
void FormPaths(const std::wstring& documents, const std::wstring& localAppData);
