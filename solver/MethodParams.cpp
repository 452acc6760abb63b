// The polynomial method's program-wide parameters with their defaults. params.dat, which keeps them
// between sessions, is read and written by document/Params.h.
#include "solver/MethodParams.h"


int g_nFirstLoop = 2;
int g_nSecondLoop = 20;
int g_nMapFirstLoop = 2;
int g_nMapSecondLoop = 3;
double g_dParam1 = 0.017;
double g_dParam2 = 0.475;
double g_dMapParam1 = 0.017;
double g_dMapParam2 = 0.475;

int g_bAppActive = 0;

int PolynSearchBudget(double factor, int n) {
    return static_cast<int>(factor * n * n + 0.001) + 1;
}

void ResetMethodParams() {
    g_nFirstLoop = 2;
    g_nSecondLoop = 20;
    g_nMapFirstLoop = 2;
    g_nMapSecondLoop = 3;
    g_dParam1 = 0.017;
    g_dParam2 = 0.475;
    g_dMapParam1 = 0.017;
    g_dMapParam2 = 0.475;
}
