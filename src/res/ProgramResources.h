// Registers every resource of the program with the framework: the string table, menus,
// toolbar, accelerators, pictures and dialog templates. Call once before the application
// object starts.
#pragma once

void RegisterProgramResources();

// The parts, for tests that need only some of them.
void RegisterMenus();
void RegisterToolbarAndAccelerators();
void RegisterImages();
