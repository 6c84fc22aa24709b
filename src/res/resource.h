// Resource identifiers.
#pragma once

#define IDS_WINDOW_TITLE 103
#define IDI_SMALL_ICON 108
#define IDS_WINDOW_CLASS 109
