// Research > Series: the table, the plot and the CSV export of a seeded series.
#include "windows/SeriesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/ResearchText.h"
#include "document/SafeSave.h"
#include "document/Series.h"
#include "windows/ChildFrame.h"
#include "windows/FormViewBase.h"

namespace {

// The smallest of 1, 2, 5 times a power of ten that is at least x (at least `least`).
double NiceCeiling(double x, double least) {
    x = std::max(x, least);
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * power >= x) return step * power;
    return 10 * power;
}

QString Number(double x, int decimals) {
    return std::isnan(x) ? QString() : QString::number(x, 'f', decimals);
}

const char* const kColumns[] = {"Problem", "Seed", "Polyn. cost", "Polyn. ms", "Optimum", "Optimum ms", "Agree", "Gap %"};

}  // namespace

// ---- The plot ------------------------------------------------------------------------------------------

CSeriesPlot::CSeriesPlot(const std::vector<CSeriesEntry>& entries, QWidget* parent)
    : QWidget(parent), m_entries(entries) {
    setAccessibleName(QStringLiteral("Series plot"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void CSeriesPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = fontMetrics();
    if (m_entries.empty()) {
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                   QStringLiteral("Run a series: each problem's gap and times appear here."));
        return;
    }
    const int left = fm.horizontalAdvance(QStringLiteral("00000 ms")) + 8, right = 12, top = fm.height() + 4;
    const int bottom = fm.height() + 8, between = fm.height() + 10;
    const int panel = std::max(20, (height() - top - bottom - between) / 2);
    const int width = std::max(20, this->width() - left - right);
    const int count = static_cast<int>(m_entries.size());
    double worstGap = 0, longest = 0;
    for (const CSeriesEntry& e : m_entries) {
        if (!std::isnan(e.row.dGap)) worstGap = std::max(worstGap, e.row.dGap);
        longest = std::max({longest, double(e.row.dwPolynMs), e.row.bCompared ? double(e.row.dwReferenceMs) : 0.0});
    }
    const double gapTop = NiceCeiling(worstGap, 1.0), msTop = NiceCeiling(longest, 10.0);
    auto x = [&](int k) { return left + (k + 0.5) * width / count; };

    // A panel's frame, its scale at 0, half and top, and its title.
    auto frame = [&](int y0, double scaleTop, const QString& unit, const QString& title) {
        p.setPen(palette().color(QPalette::Mid));
        for (int k = 0; k <= 2; ++k) {
            const int y = y0 + panel - k * panel / 2;
            p.drawLine(left, y, left + width, y);
            p.setPen(palette().color(QPalette::Text));
            p.drawText(QRect(0, y - fm.height() / 2, left - 4, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(scaleTop * k / 2, 'g', 4) + unit);
            p.setPen(palette().color(QPalette::Mid));
        }
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRect(left, y0 - fm.height() - 2, width, fm.height()), Qt::AlignLeft, title);
    };

    const int gapY = top;
    frame(gapY, gapTop, QStringLiteral(" %"), QStringLiteral("Gap of Polyn. Method to the proven optimum"));
    const double barWidth = std::max(1.0, 0.6 * width / count);
    for (int k = 0; k < count; ++k) {
        const double gap = m_entries[k].row.dGap;
        if (std::isnan(gap)) continue;
        const double h = std::max(gap > 0 ? 2.0 : 1.0, panel * std::min(gap, gapTop) / gapTop);
        p.fillRect(QRectF(x(k) - barWidth / 2, gapY + panel - h, barWidth, h),
                   gap > 0 ? QColor(200, 40, 40) : QColor(40, 140, 60));
    }

    const int timeY = gapY + panel + between;
    frame(timeY, msTop, QStringLiteral(" ms"), QString());
    auto line = [&](bool reference, const QColor& colour) {
        QPainterPath path;
        bool first = true;
        for (int k = 0; k < count; ++k) {
            const CProblemRow& r = m_entries[k].row;
            if (reference && !r.bCompared) continue;
            const double ms = reference ? r.dwReferenceMs : r.dwPolynMs;
            const QPointF point(x(k), timeY + panel - panel * ms / msTop);
            first ? path.moveTo(point) : path.lineTo(point);
            first = false;
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawEllipse(point, 2.5, 2.5);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour, 1.5));
        p.drawPath(path);
    };
    line(false, QColor(30, 80, 200));
    line(true, QColor(200, 120, 0));
    // The legend above the time panel.
    int lx = left;
    for (const auto& [colour, text] : {std::pair{QColor(30, 80, 200), QStringLiteral("Polyn. Method time")},
                                       std::pair{QColor(200, 120, 0), QStringLiteral("Proven optimum time")}}) {
        p.fillRect(lx, timeY - fm.height() / 2 - 6, 10, 10, colour);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(lx + 14, timeY - 6, text);
        lx += 24 + fm.horizontalAdvance(text);
    }
    // The problem numbers under the time panel: the first, the last and one between.
    for (int k : {0, count / 2, count - 1})
        p.drawText(QRectF(x(k) - 30, timeY + panel + 2, 60, fm.height()), Qt::AlignHCenter,
                   QString::number(m_entries[k].row.nProblem));
}

// ---- The dialog ------------------------------------------------------------------------------------------

CSeriesDialog::CSeriesDialog(QWidget* parent)
    : QDialog(parent),
      m_pSeed(new QLineEdit(QStringLiteral("1"), this)),
      m_pProblems(new QLineEdit(QStringLiteral("10"), this)),
      m_pTable(new QTableWidget(0, 8, this)),
      m_pPlot(new CSeriesPlot(m_entries, this)),
      m_pSummary(new QLabel(this)),
      m_pRun(new QPushButton(QStringLiteral("&Run"), this)),
      m_pExport(new QPushButton(QStringLiteral("&Export CSV..."), this)) {
    setObjectName(QStringLiteral("SeriesDialog"));
    setWindowTitle(QStringLiteral("Series"));
    m_pSeed->setValidator(new QIntValidator(0, 2147483647, m_pSeed));
    m_pProblems->setValidator(new QIntValidator(1, 100000, m_pProblems));
    QStringList headers;
    for (const char* c : kColumns) headers << QString::fromLatin1(c);
    m_pTable->setHorizontalHeaderLabels(headers);
    m_pTable->verticalHeader()->hide();
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pSummary->setWordWrap(true);
    m_pSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* seedLabel = new QLabel(QStringLiteral("First &seed:"), this);
    auto* problemsLabel = new QLabel(QStringLiteral("&Problems:"), this);
    auto* tableLabel = new QLabel(QStringLiteral("&Table:"), this);
    seedLabel->setBuddy(m_pSeed);
    problemsLabel->setBuddy(m_pProblems);
    tableLabel->setBuddy(m_pTable);
    m_pSeed->setAccessibleName(QStringLiteral("First seed"));
    m_pProblems->setAccessibleName(QStringLiteral("Problems"));
    m_pTable->setAccessibleName(QStringLiteral("Table"));
    m_pSummary->setAccessibleName(QStringLiteral("Summary"));

    const QString seedHelp = QStringLiteral(
        "The seed of the first problem's random network. Problem i's network follows from this seed and "
        "i alone, so the same seed gives the same series here and in quira-cli series --seed.");
    const QString problemsHelp = QStringLiteral("How many random networks the series makes (1 to 100000).");
    const QString tableHelp = QStringLiteral(
        "One row per finished problem: its seed, the polynomial method's cost and time, the proven "
        "optimum's cost and time, whether they agree, and the gap in percent.");
    m_pSeed->setWhatsThis(seedHelp);
    seedLabel->setWhatsThis(seedHelp);
    m_pProblems->setWhatsThis(problemsHelp);
    problemsLabel->setWhatsThis(problemsHelp);
    m_pTable->setWhatsThis(tableHelp);
    tableLabel->setWhatsThis(tableHelp);
    m_pPlot->setWhatsThis(QStringLiteral(
        "Above: each problem's gap to the proven optimum (green at 0, red above). Below: the times of "
        "the polynomial method and of the proven optimum."));
    m_pSummary->setWhatsThis(QStringLiteral("The series' summary: how many problems met the optimum, the "
                                            "mean and the worst gap."));
    m_pRun->setWhatsThis(QStringLiteral(
        "Runs the series in the network window with its Nodes, Amplitude and Rand.Starts (each problem is "
        "compared with its proven optimum when Rand.Starts is 1). Escape stops it; the finished rows stay."));
    m_pExport->setWhatsThis(
        QStringLiteral("Saves the rows as CSV, the columns of quira-cli series --csv (optimum_cost, optimum_ms)."));

    auto* fields = new QHBoxLayout;
    fields->addWidget(seedLabel);
    fields->addWidget(m_pSeed);
    fields->addWidget(problemsLabel);
    fields->addWidget(m_pProblems);
    fields->addWidget(m_pRun);
    fields->addStretch(1);

    auto* split = new QSplitter(Qt::Vertical, this);
    auto* tablePane = new QWidget(split);
    auto* tableLayout = new QVBoxLayout(tablePane);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(tableLabel);
    tableLayout->addWidget(m_pTable);
    split->addWidget(tablePane);
    split->addWidget(m_pPlot);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_pExport, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pRun, &QPushButton::clicked, this, &CSeriesDialog::OnRun);
    connect(m_pExport, &QPushButton::clicked, this, &CSeriesDialog::OnExport);
    m_pRun->setAutoDefault(false);
    m_pExport->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(split, 1);
    layout->addWidget(m_pSummary);
    layout->addWidget(buttons);
    // As large as the plot wants, but never past a small screen.
    QSize size(640, 560);
    if (QScreen* screen = parent ? parent->screen() : nullptr)
        size = size.boundedTo(screen->availableGeometry().size() * 0.92);
    resize(size);
    UpdateButtons();
}

void CSeriesDialog::Attach(CChildFrame* frame) {
    if (m_bRunning) return;
    m_pFrame = frame;
    setWindowTitle(QStringLiteral("Series - ") + (frame ? frame->Title() : QString()));
    UpdateButtons();
}

void CSeriesDialog::UpdateButtons() {
    m_pRun->setEnabled(!m_bRunning && m_pFrame);
    m_pExport->setEnabled(!m_bRunning && !m_entries.empty());
}

void CSeriesDialog::OnRun() {
    CChildFrame* frame = m_pFrame;
    auto* form = frame ? qobject_cast<CFormViewBase*>(frame->Form()) : nullptr;
    if (!form || form->Busy() || m_bRunning) return;
    // A click that arrives through another window's run would nest a second run inside it.
    if (RunIsPolling()) {
        WarningBox(IDS_ANOTHER_RUN);
        return;
    }
    form->CommitFields();
    CMainDoc& doc = m_pFrame->Doc();
    CTestSeries& series = form->Series();
    const uint32_t seed = m_pSeed->text().toUInt();
    const int problems = std::clamp(m_pProblems->text().toInt(), 1, 100000);
    m_entries.clear();
    m_summary = CSeriesSummary{};
    m_pTable->setRowCount(0);
    m_pSummary->clear();
    m_bRunning = true;
    UpdateButtons();
    // A problem's seed is its first draw, as quira-cli series counts them.
    const int starts = std::max(1, LeadingInt(doc.m_strRandStarts));
    series.m_seeds.emplace(seed, 1 + (starts > 1 ? starts : 0));
    series.m_fnProblemDone = [this, &series](const CProblemRow& row) {
        AddRow({row, series.m_seeds->Draw(row.nProblem, 1)});
    };
    series.ContinuousTest(problems, EReference::Optimum);
    series.m_fnProblemDone = {};
    series.m_seeds.reset();
    form->UpdateFromDocument();
    m_bRunning = false;
    m_pSummary->setText(QStringLiteral("%1 problems; ").arg(m_summary.Tests()) +
                        QString::fromStdString(SeriesGapSummary(m_summary, "proven optimum")));
    UpdateButtons();
}

void CSeriesDialog::AddRow(const CSeriesEntry& e) {
    m_entries.push_back(e);
    m_summary.Add(e.row);
    const CProblemRow& r = e.row;
    const QString cells[] = {QString::number(r.nProblem),
                             QString::number(e.seed),
                             QString::number(r.nPolynCost),
                             QString::number(r.dwPolynMs),
                             r.bCompared ? QString::number(r.nReferenceCost) : QString(),
                             r.bCompared ? QString::number(r.dwReferenceMs) : QString(),
                             r.bCompared ? QString::fromLatin1(r.bAgree ? "yes" : "no") : QString(),
                             Number(r.dGap, 3)};
    const int row = m_pTable->rowCount();
    m_pTable->insertRow(row);
    for (int c = 0; c < 8; ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setTextAlignment(c == 6 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
        m_pTable->setItem(row, c, item);
    }
    m_pTable->scrollToBottom();
    m_pPlot->update();
}

std::string CSeriesDialog::CsvText() const {
    std::string text = SeriesCsvHeader("optimum") + "\n";
    for (const CSeriesEntry& e : m_entries) text += SeriesCsvRow(e.row, e.seed) + "\n";
    return text;
}

void CSeriesDialog::OnExport() {
    if (m_entries.empty()) return;
    const std::string path =
        Platform().pDialogs->ChooseFileToSave("CSV files (*.csv);;All files (*)", "csv", "series.csv");
    if (path.empty()) return;
    const std::string reason = WriteFileSafely(path, CsvText());
    if (!reason.empty())
        Platform().pDialogs->ShowMessage(EBoxKind::Warning, "Cannot write " + path + ":\n" + reason + ".");
}
