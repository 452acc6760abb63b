// Program-wide switches and their start values.
#include "document/Switches.h"

int g_bAsciiSave = 0;
int g_bShowStatistics = 1;
int g_bStopShortTesting = 0;
int g_nMaximizeChildren = 2;
int g_bWriteParamsOnClose = 1;
