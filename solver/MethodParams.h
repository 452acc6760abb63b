// The eight program-wide parameters of the polynomial method's full test (one set for networks,
// one for the state-capital map) and the application-activity flag. params.dat, which keeps the
// eight between sessions, is document/Params.h.
#pragma once

extern int g_nFirstLoop;     // passes before the restart (networks)
extern int g_nSecondLoop;    // pass limit after the restart (networks)
extern int g_nMapFirstLoop;  // the same for the map
extern int g_nMapSecondLoop;
extern double g_dParam1;     // budget factor of search A (networks)
extern double g_dParam2;     // budget factor of search B (networks)
extern double g_dMapParam1;  // the same for the map
extern double g_dMapParam2;

// 1 while the application is the active one: accepted improvements are then shown at once.
extern int g_bAppActive;

// Iterations of a search of the polynomial method: trunc(factor * n * n + 0.001) + 1.
int PolynSearchBudget(double factor, int n);

// Puts the built-in defaults back into the eight parameters.
void ResetMethodParams();
