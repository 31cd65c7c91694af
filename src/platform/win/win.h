// The whole window-system vocabulary in one include.
#pragma once

#include "basic_types.h"
#include "command_ids.h"
#include "common_controls.h"
#include "dialog_controls.h"
#include "gdi_defs.h"
#include "window_messages.h"
