// Research > Series: a series of random networks in the active network window, from a fixed first
// seed (the core's CSeriesSeeds, so quira-cli series --seed gives the same problems), each compared
// with its proven optimum. Every finished problem becomes a row of the table (seed, both costs and
// times, agreement, gap; the core's CProblemRow) and a point of the plot; the rows are exported as
// CSV (the core's SeriesCsvRow) through the dialog host's chooser and the safe save.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "document/Outcome.h"

class CChildFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// One problem of the series as the table and the plot show it.
struct CSeriesEntry {
    CProblemRow row;
    uint32_t seed = 0;
};

// The plot: the gap per problem in the upper panel, both methods' times in the lower, drawn with
// QPainter.
class CSeriesPlot : public QWidget {
    Q_OBJECT
public:
    explicit CSeriesPlot(const std::vector<CSeriesEntry>& entries, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {520, 300}; }
    QSize minimumSizeHint() const override { return {240, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const std::vector<CSeriesEntry>& m_entries;
};

class CSeriesDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSeriesDialog(QWidget* parent = nullptr);

    // The network window the series runs in.
    void Attach(CChildFrame* frame);

    // Runs the series: Problems random networks from the first seed.
    void OnRun();
    // Writes the rows as CSV into a file the user chooses.
    void OnExport();
    // The CSV text of the rows.
    std::string CsvText() const;

    QLineEdit* SeedField() const { return m_pSeed; }
    QLineEdit* ProblemsField() const { return m_pProblems; }
    QTableWidget* Table() const { return m_pTable; }
    CSeriesPlot* Plot() const { return m_pPlot; }
    QLabel* Summary() const { return m_pSummary; }
    const std::vector<CSeriesEntry>& Entries() const { return m_entries; }

private:
    void AddRow(const CSeriesEntry& entry);
    void UpdateButtons();

    QPointer<CChildFrame> m_pFrame;
    QLineEdit* m_pSeed;
    QLineEdit* m_pProblems;
    QTableWidget* m_pTable;
    CSeriesPlot* m_pPlot;
    QLabel* m_pSummary;
    QPushButton* m_pRun;
    QPushButton* m_pExport;
    std::vector<CSeriesEntry> m_entries;
    CSeriesSummary m_summary;
    bool m_bRunning = false;
};
