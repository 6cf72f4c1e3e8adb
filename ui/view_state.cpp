// Which tab and which settings page are shown.
#include "ui/view_state.h"

int mainTab = 1;
int settingsPage = 1;

void SetMainTab(int tab) {
    mainTab = tab;
}

void SetSettingsPage(int page) {
    settingsPage = page;
}
