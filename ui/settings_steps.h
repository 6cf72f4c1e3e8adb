// What the settings dialog does to the options: a click on a line steps its pending copy
// by the line's rule; Apply copies the changed pending values into force and says which
// of them the sibling programs are told; Cancel copies the values in force back.
#pragma once

#include <vector>

// +1, past `upper` back to `lower`.
int CyclicStep(int value, int lower, int upper);
// The next design of one colour that differs from the other colour's: one up (two when
// that is the other's), past `maximum` back to 1, never equal to `other`.
int DistinctStep(int value, int other, int maximum);

// Steps the pending copy of settings line `line` (as kSettingStems numbers them). The
// chat font line has no pending copy and is not stepped here.
void StepSettingsLine(int line);

struct SettingBroadcast {
    int code;   // 10 sound, 11 match-log format, 12 time stamps, 13 enter and exit notices
    int value;  // the new value in force
};
// Copies every pending value that differs into force; the changes the siblings hear of,
// in code order. (Cancel is RevertPendingSettings of settings/settings.h.)
std::vector<SettingBroadcast> ApplyPendingSettings();
