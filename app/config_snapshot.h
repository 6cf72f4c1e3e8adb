// What config.ini carries besides the settings variables, between the file and the
// program's state: the remembered login and the remembered room window places.
#pragma once

#include "settings/config_ini.h"

// Start-up: the remembered login fills the login fields' texts; remembered rooms and
// tournament rooms become room records with only their id and place.
void TakeRememberedState(const ConfigIniContents& contents);

// Closing: the writer's input, with the main window's outer top-left. Record 3 only for a
// login the server accepted (the logoff button forgets it); rooms only when the server has
// listed them since the connect, or all of them while its first list is still pending.
ConfigIniWriteInput CollectConfigIniInput(int mainLeft, int mainTop);
