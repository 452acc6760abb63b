// File Print and Print Preview: the report's printer pages (the banded text the document writes
// for the printer) painted line by line in a fixed-pitch font, one sheet per band, through Qt's
// print dialog or print preview.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class CMainDoc;
class QPrinter;
class QWidget;

// The sheets of a printer text as a line printer feeds them: CR LF and a lone LF end a line, a form
// feed ends a page, and a page longer than linesPerSheet continues on the next sheet. A form feed
// at the very end (every printer report ends in one) opens no further sheet.
std::vector<QStringList> ReportSheets(const std::string& printed, int linesPerSheet);

// Paints the document's printer report (ReportText(1)) on the printer: a band starts a new sheet,
// each line as the band rule writes it, in a fixed-pitch font small enough for the widest line.
// Returns the number of sheets, 0 when the printer could not be painted on.
int PrintReportPages(CMainDoc& doc, QPrinter& printer);

// File Print: Qt's print dialog (a printer or a PDF file), then the report's pages; Cancel prints
// nothing. Nothing happens while the document's method runs.
void PrintDocument(CMainDoc& doc, QWidget* parent);

// File Print Preview: the same pages in Qt's print preview, from which they can be printed.
void PrintPreviewDocument(CMainDoc& doc, QWidget* parent);
