// The printing, help and About pieces of the shell, for the main frame (which includes this
// header; the declarations live in the pieces' own headers).
#pragma once

#include "windows/AboutDlg.h"
#include "windows/HelpWindow.h"
#include "windows/IntroDlg.h"
#include "windows/ReportPrinter.h"
