// The platform's common controls: the list view ("SysListView32") and its header
// ("SysHeader32"), registered as window classes.
#pragma once

// Registers both classes; calling it again changes nothing.
void RegisterCommonControls();
