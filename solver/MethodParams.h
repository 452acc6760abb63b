// TEMPORARY stand-in for the method parameters of the polynomial method, until its branch lands.
#pragma once

extern int g_nFirstLoop;
extern int g_nSecondLoop;
extern int g_nMapFirstLoop;
extern int g_nMapSecondLoop;
extern double g_dParam1;
extern double g_dParam2;
extern double g_dMapParam1;
extern double g_dMapParam2;
