#pragma once
// Ids of the language modules' strings, dialogs and controls, shared by the code and both
// resource scripts.

#define IDS_SETUPCAPTION 2900
#define IDS_DEFAULTCAPTION 10001
