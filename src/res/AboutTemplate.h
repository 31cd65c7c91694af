#pragma once

// Dialog template 100: the About box.
void RegisterAboutTemplate();
