// The state images a list view shows for LVS_EX_CHECKBOXES when its owner gave none:
// image 0 an empty box, image 1 a checked one (state image numbers 1 and 2).
#pragma once

#include <memory>

#include "platform/afx/CImageList.h"

std::unique_ptr<ImageList> CreateCheckBoxImages();
