// The eight program-wide parameters of the polynomial method's full test (one set for networks,
// one for the state-capital map), the application-activity flag, and the reader of params.dat.
#pragma once

#include <string>

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

// Reads a params.dat file (eight little-endian doubles: the four integers raised by 0.001, then the
// four factors) into the parameters. A missing file keeps every value; a short file sets the items
// it holds completely and keeps the others. Returns 1 when the file could be opened, else 0.
int ReadMethodParams(const std::string& path);
