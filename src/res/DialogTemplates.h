#pragma once

// Puts the input dialogs' templates (9: IP settings, 146: password, 152: MAC) into the
// resource table, with the framework texts their data exchange may show.
void RegisterDialogTemplates();
