// The settings dialog's buttons.
#pragma once

// A click on the caption or value button of `line`: its step rule, or the font dialog.
void StepSettingFromDialog(int line);
void ApplySettingsDialog();
void CancelSettingsDialog();
