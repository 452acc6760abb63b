// File Print and Print Preview over the document's printer report.
//
// The document writes the printed report as a line printer's byte stream: CR LF line ends and a
// form feed after every band of 15 matrix columns. Here that stream is fed to a QPrinter the way
// the line printer would have taken it: each band begins a new sheet, each line is printed as it
// stands (no wrapping, no reflow), and a band longer than a sheet runs on to the next sheet, as
// continuous paper would.
#include "windows/ReportPrinter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

#include "document/MainDoc.h"
#include "solver/Platform.h"
#include "windows/DialogExec.h"

namespace {

constexpr qreal kLargestPoints = 10.0;
constexpr qreal kSmallestPoints = 5.0;
constexpr int kLeastColumns = 80;  // a band's line: row label and 15 numbers

// The lines of each printed page, before they are laid out on sheets.
std::vector<QStringList> PrintedPages(const std::string& printed) {
    std::vector<QStringList> pages(1);
    QString line;
    for (const char c : printed) {
        if (c == '\r') continue;
        if (c == '\n' || c == '\f') {
            pages.back().append(line);
            line.clear();
            if (c == '\f') pages.emplace_back();
            continue;
        }
        line += QLatin1Char(c);
    }
    if (!line.isEmpty()) pages.back().append(line);
    if (pages.size() > 1 && pages.back().isEmpty()) pages.pop_back();  // the closing form feed
    return pages;
}

// The fixed-pitch font of the given size on the printer.
QFont PrinterFont(qreal points) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    return font;
}

}  // namespace

std::vector<QStringList> ReportSheets(const std::string& printed, int linesPerSheet) {
    linesPerSheet = std::max(1, linesPerSheet);
    std::vector<QStringList> sheets;
    for (const QStringList& page : PrintedPages(printed)) {
        if (page.isEmpty()) {
            sheets.emplace_back();
            continue;
        }
        for (qsizetype first = 0; first < page.size(); first += linesPerSheet)
            sheets.push_back(page.mid(first, linesPerSheet));
    }
    return sheets;
}

int PrintReportPages(CMainDoc& doc, QPrinter& printer) {
    const std::string printed = doc.ReportText(1);

    qsizetype columns = kLeastColumns;
    for (const QStringList& page : PrintedPages(printed))
        for (const QString& line : page) columns = std::max(columns, line.size());

    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    const QRectF area(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());

    // The largest size up to 10 points at which the widest line fits the page.
    QFont font = PrinterFont(kLargestPoints);
    const qreal wide = QFontMetricsF(font, &printer).horizontalAdvance(QString(columns, QLatin1Char('0')));
    if (wide > area.width())
        font = PrinterFont(std::max(kSmallestPoints, kLargestPoints * area.width() / wide));
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const qreal step = metrics.lineSpacing();
    const int linesPerSheet = std::max(1, static_cast<int>(area.height() / step));

    const std::vector<QStringList> sheets = ReportSheets(printed, linesPerSheet);
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        if (s > 0 && !printer.newPage()) {
            painter.end();
            return 0;
        }
        qreal baseline = metrics.ascent();
        for (const QString& line : sheets[s]) {
            if (!line.isEmpty()) painter.drawText(QPointF(area.left(), baseline), line);
            baseline += step;
        }
    }
    if (!painter.end()) return 0;
    return static_cast<int>(sheets.size());
}

void PrintDocument(CMainDoc& doc, QWidget* parent) {
    if (doc.m_solver.m_bBusy) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("QUIRA-1 report"));
    QPrintDialog dialog(&printer, parent);
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    if (PrintReportPages(doc, printer) != 0) return;
    const QString file = printer.outputFileName();
    const std::string text = file.isEmpty()
                                 ? std::string("The report could not be printed.")
                                 : "The report could not be written to " + file.toStdString() + ".";
    Platform().pDialogs->ShowMessage(EBoxKind::Warning, text);
}

void PrintPreviewDocument(CMainDoc& doc, QWidget* parent) {
    if (doc.m_solver.m_bBusy) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("QUIRA-1 report"));
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&doc](QPrinter* target) { PrintReportPages(doc, *target); });
    ExecDialog(preview);
}
