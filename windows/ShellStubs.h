// Stand-ins for the printing, help and about pieces until they land.
#pragma once
class CMainDoc;
class QWidget;
void PrintDocument(CMainDoc& doc, QWidget* parent);
void PrintPreviewDocument(CMainDoc& doc, QWidget* parent);
void ShowAboutDialog(QWidget* parent);
void ShowIntroductionDialog(QWidget* parent);
void ShowHelpIndex(QWidget* parent);
void ShowUsingHelp(QWidget* parent);
