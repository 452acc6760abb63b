// Program-wide switches: the three Options of the menu (alive only while the program runs), the
// flag that makes test windows open maximized, and whether closing a document writes params.dat.
#pragma once

extern int g_bAsciiSave;         // "&Allow ASCII save": every save also writes the text report
extern int g_bShowStatistics;    // "&Show statistics": the statistics box after each test
extern int g_bStopShortTesting;  // "Stop &under short testing": a differing start ends the series
extern int g_nMaximizeChildren;  // 1: test windows open maximized (narrow screen), else 2

// 1 in the windowed program; the console and the tests switch it off, since they must leave the
// user's params.dat alone.
extern int g_bWriteParamsOnClose;
