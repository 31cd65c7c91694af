#pragma once

// Puts the two 9x5 sort arrows (bitmaps 131 ascending, 132 descending) into the resources.
void RegisterArrowBitmaps();
