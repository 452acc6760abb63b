// File Print: the report's bands become sheets (one per band, a long band running on), the PDF
// printer gets one page per band, and the print dialog's Cancel prints nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "document/DocSupport.h"
#include "gui/GuiTestMain.h"
#include "support/Fakes.h"
#include "windows/DialogExec.h"
#include "windows/ReportPrinter.h"

namespace {

std::unique_ptr<CMainDoc> Network(int nodes) {
    auto doc = MakeDoc(KIND_NETWORK, nodes);
    for (int j = 2; j <= nodes; ++j) doc->m_solver.m_ppWeight[1][j] = 100 + j;
    return doc;
}

// The number of pages of a PDF file written by Qt (its page objects).
int PdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

void PrintToPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

}  // namespace

TEST(ReportSheets, OneSheetPerBandWithTheBandsColumns) {
    auto twenty = Network(20);
    const std::vector<QStringList> sheets = ReportSheets(twenty->ReportText(1), 200);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_TRUE(
        sheets[0].contains(QStringLiteral("QUIRA-1, ver.1.0, research tool for the TSP and Hamiltonian "
                                          "cycles (QUIRA Test)")));
    const QString firstRow = sheets[0].filter(QRegularExpression(QStringLiteral("^ 1: "))).value(0);
    EXPECT_TRUE(firstRow.endsWith(QStringLiteral("  114  115"))) << firstRow.toStdString();
    EXPECT_EQ(firstRow.size(), 79);
    EXPECT_TRUE(sheets[1].contains(QStringLiteral("   16   17   18   19   20")));
    EXPECT_TRUE(sheets[1].contains(QStringLiteral("  116  117  118  119  120")));

    EXPECT_EQ(ReportSheets(Network(12)->ReportText(1), 200).size(), 1u);
}

TEST(ReportSheets, ABandLongerThanASheetRunsOnToTheNext) {
    auto twenty = Network(20);
    const std::vector<QStringList> whole = ReportSheets(twenty->ReportText(1), 1000);
    ASSERT_EQ(whole.size(), 2u);
    const std::vector<QStringList> cut = ReportSheets(twenty->ReportText(1), 10);
    const auto sheetsOf = [](qsizetype lines) { return static_cast<std::size_t>((lines + 9) / 10); };
    ASSERT_EQ(cut.size(), sheetsOf(whole[0].size()) + sheetsOf(whole[1].size()));
    EXPECT_EQ(cut[0].size(), 10);
    EXPECT_EQ(cut[0] + cut[1] + cut[2], whole[0].mid(0, 30));
}

TEST(ReportPrinter, PdfGetsOnePagePerBand) {
    GuiApp();
    QTemporaryDir dir;
    for (const auto& [nodes, pages] : {std::pair{20, 2}, std::pair{12, 1}, std::pair{40, 3}}) {
        auto doc = Network(nodes);
        QPrinter printer(QPrinter::HighResolution);
        const QString path = dir.filePath(QStringLiteral("report-%1.pdf").arg(nodes));
        PrintToPdf(printer, path);
        EXPECT_EQ(PrintReportPages(*doc, printer), pages) << nodes << " nodes";
        EXPECT_EQ(PdfPages(path), pages) << nodes << " nodes";
    }
}

TEST(ReportPrinter, PrintDialogPrintsOnOkAndNothingOnCancelOrDuringARun) {
    GuiApp();
    QTemporaryDir dir;
    auto doc = Network(20);
    const QString path = dir.filePath(QStringLiteral("printed.pdf"));
    int result = QDialog::Rejected;
    int asked = 0;
    CDialogExecHook hook([&](QDialog& dialog) {
        ++asked;
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        EXPECT_NE(print, nullptr);
        if (print) PrintToPdf(*print->printer(), path);
        return result;
    });

    PrintDocument(*doc, nullptr);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(QFile::exists(path));

    doc->m_solver.m_bBusy = 1;
    result = QDialog::Accepted;
    PrintDocument(*doc, nullptr);
    EXPECT_EQ(asked, 1);
    doc->m_solver.m_bBusy = 0;

    PrintDocument(*doc, nullptr);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(PdfPages(path), 2);

    // A file that cannot be written is reported by name, not passed over as printed.
    CFakeDialogs dialogs;
    CPlatformScope scope(nullptr, nullptr, &dialogs);
    const QString nowhere = dir.filePath(QStringLiteral("no-such-folder/printed.pdf"));
    CDialogExecHook failing([&](QDialog& dialog) {
        PrintToPdf(*qobject_cast<QPrintDialog*>(&dialog)->printer(), nowhere);
        return static_cast<int>(QDialog::Accepted);
    });
    PrintDocument(*doc, nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, EBoxKind::Warning);
    EXPECT_EQ(dialogs.messages[0].text, "The report could not be written to " + nowhere.toStdString() + ".");
}

TEST(ReportPrinter, PreviewShowsTheSamePages) {
    GuiApp();
    auto doc = Network(20);
    int pages = -1;
    CDialogExecHook hook([&](QDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        EXPECT_NE(preview, nullptr);
        if (preview) {
            preview->updatePreview();
            pages = preview->pageCount();
        }
        return static_cast<int>(QDialog::Rejected);
    });
    PrintPreviewDocument(*doc, nullptr);
    EXPECT_EQ(pages, 2);
}
