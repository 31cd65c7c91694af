#pragma once

// Puts the program's texts into the framework's string table.
void RegisterStringTable();
