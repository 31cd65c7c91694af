#pragma once

// Puts the framework's own texts (those its dialogs show) into the string table.
void RegisterFrameworkStrings();
