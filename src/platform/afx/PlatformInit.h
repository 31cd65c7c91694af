// Start-up calls of the platform libraries.
#pragma once

#include "platform/win/win.h"

// Registers the window classes of the standard and common controls.
void InitCommonControls();
// Checks that datagram sockets can be made here: makes one and closes it again.
BOOL AfxSocketInit();
