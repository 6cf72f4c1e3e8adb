// What the controls do when released (or, for the flags, pressed).
#pragma once

// Runs the action of class row `row` (kWindowClasses).
void RunButtonAction(int row);

// Shows main tab n (1 rooms, 2 tournaments, 3 cashier); nothing when it is shown already.
void SelectMainTab(int n);
// Shows settings page n (1..4); nothing when it is shown already.
void SelectSettingsPage(int n);
// Head and page-button cursors: the arrow on the current choice, the hand on the others.
void SetChoiceCursors();
