// Stand-ins for the printing, help and about pieces until they land.
#include "windows/ShellStubs.h"
void PrintDocument(CMainDoc&, QWidget*) {}
void PrintPreviewDocument(CMainDoc&, QWidget*) {}
void ShowAboutDialog(QWidget*) {}
void ShowIntroductionDialog(QWidget*) {}
void ShowHelpIndex(QWidget*) {}
void ShowUsingHelp(QWidget*) {}
