// Which tab of the main window and which page of the settings dialog are shown. Main
// window's thread only; painting reads them, the tab and page switches write them.
#pragma once

extern int mainTab;       // 1 rooms, 2 tournaments, 3 cashier
extern int settingsPage;  // 1 Colors, 2 Window, 3 Table, 4 Room

void SetMainTab(int tab);
void SetSettingsPage(int page);
