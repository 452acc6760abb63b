// What's This texts of the test windows' controls.
#include "windows/WhatsThis.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "document/Messages.h"
#include "solver/CycleSolver.h"
#include "windows/MapPane.h"
#include "windows/NetView.h"
#include "windows/TestForm.h"

namespace {

// The verdicts a command ends with, quoted from the core's message table: "a", "b" or "c".
QString Quoted(std::initializer_list<int> ids) {
    QString text;
    std::size_t k = 0;
    for (int id : ids) {
        if (k > 0) text += ++k == ids.size() ? QStringLiteral(" or ") : QStringLiteral(", ");
        else ++k;
        text += QLatin1Char('"') + QString::fromUtf8(MessageText(id)) + QLatin1Char('"');
    }
    return text;
}

// The window itself, its drawing and the map: keys no caption can take.
const QString kForm = QStringLiteral("#form");
const QString kDrawing = QStringLiteral("#drawing");
const QString kMap = QStringLiteral("#map");

using CTexts = QHash<QString, QString>;

// The network window's texts; the other kinds take those they share from here.
const CTexts& NetworkTexts() {
    static const CTexts texts = {
        {kForm,
         QStringLiteral("The network test window: set the problem here, run the methods with the buttons, "
                        "and read the results in Time and Final Cycle. The drawing on the left follows "
                        "the current cycle.")},
        {kDrawing,
         QStringLiteral(
             "The network: the nodes on a ring, or at the coordinates of the published instance the "
             "network came from; the current cycle in red over the other edges in black (above 30 "
             "nodes only the cycle). Numbers and weights that would cover each other are left out; a "
             "node without its number is a small dot.")},
        {QStringLiteral("Nodes"),
         QStringLiteral("How many nodes the network has (4 to 512). Leave the field with "
                        "a new number to make a new random network of that size.")},
        {QStringLiteral("Amplitude"),
         QStringLiteral("The range of the random weights: each is drawn from -Amplitude to Amplitude (0 to "
                        "32000). A new value makes a new random network.")},
        {QStringLiteral("Rand.Starts"),
         QStringLiteral(
             "How many random initial cycles Polyn. Method starts from (1 to 32767). With 1 it runs "
             "once, from the Initial Cycle.")},
        {QStringLiteral("Full Tests"),
         QStringLiteral("How many of the random starts run in full (0 to Rand.Starts); the others are short "
                        "tests that stop once they reach the previous start's length.")},
        {QStringLiteral("Options"), QStringLiteral("What the drawing shows and which cycle is sought.")},
        {QStringLiteral("Show Weights"),
         QStringLiteral(
             "Write the weight of each cycle edge on the drawing (up to 30 nodes, where it fits).")},
        {QStringLiteral("Maximum Cycle"), QStringLiteral("Seek the dearest cycle instead of the cheapest.")},
        {QStringLiteral("Exp. Method"),
         QStringLiteral(
             "The exact method: tries every cycle, (n-1)! of them, and keeps the cheapest. Its time "
             "is estimated first; from a minute on you are asked whether to go on. Escape stops it "
             "and keeps the best cycle so far.")},
        {QStringLiteral("Polyn. Method"),
         QStringLiteral(
             "The polynomial method: a local search under adjusted weights, from the Initial Cycle or "
             "from Rand.Starts random cycles. Escape stops it and keeps the best cycle so far.")},
        {QStringLiteral("Compare"),
         QStringLiteral("Both methods on the same network, then whether they agree: ") +
             Quoted({IDS_CORRECT_ROUTE, IDS_NOT_CORRECT_SOLUTION})},
        {QStringLiteral("Continuous Test"),
         QStringLiteral(
             "Random networks one after the other until you press Escape. With Rand.Starts 1 and "
             "Full Tests above 0 each is compared with the exact method; a box counts the networks "
             "tested.")},
        {QStringLiteral("Statistics"),
         QStringLiteral("The statistics of the last test or series: tests, different solutions and times.")},
        {QStringLiteral("Final to Initial"),
         QStringLiteral("The last final cycle becomes the initial cycle.")},
        {QStringLiteral("Randomized Start"), QStringLiteral("A random initial cycle.")},
        {QStringLiteral("Reset"), QStringLiteral("A new random network of the same size and amplitude.")},
        {QStringLiteral("Editor"), QStringLiteral("The matrix editor: read and change the weights.")},
        {QStringLiteral("Import"),
         QStringLiteral(
             "A weight matrix from a text file: every line with a ':' is the next row (the report, "
             "the tables TOURCHK writes). When the file holds more nodes than the window, you are "
             "asked whether to take the whole matrix.")},
        {QStringLiteral("Edges List"),
         QStringLiteral("The edges of the optimum cycle whose weight may grow (for a maximum: fall) without "
                        "changing it, and by how much.")},
        {QStringLiteral("Only One Cycle?"),
         QStringLiteral("Whether the optimum cycle is the only one; a second cycle of the same length is "
                        "shown.")},
        {QStringLiteral("By Exp. Method"),
         QStringLiteral("\"Super User\": the four parameters of the polynomial method, kept in params.dat.")},
        {QStringLiteral("Time:"),
         QStringLiteral("The time of the last run (after Compare the polynomial method's in parentheses); "
                        "during a run the seconds so far, once a second.")},
        {QStringLiteral("Final Cycle"),
         QStringLiteral("The cycle found, with its length in parentheses in front; during a run the best "
                        "length so far.")},
        {QStringLiteral("Initial Cycle"),
         QStringLiteral("The cycle the polynomial method starts from: node numbers joined by '-' from node 1 "
                        "back to node 1, for example 1-3-2-4-1. Type one and leave the field to use it.")},
    };
    return texts;
}

const CTexts& GraphTexts() {
    static const CTexts texts = {
        {kForm,
         QStringLiteral("The graph test window: does the graph have a Hamiltonian cycle, a cycle through "
                        "every node along the graph's edges? Such a cycle has length 0.")},
        {kDrawing,
         QStringLiteral("The graph: its edges in black and the current cycle in red, with any missing "
                        "edge it uses (above 30 nodes only the cycle).")},
        {QStringLiteral("Nodes"),
         QStringLiteral("How many nodes the graph has (4 to 1024). Leave the field with a "
                        "new number to make a new random graph of that size.")},
        {QStringLiteral("Max.Degree"),
         QStringLiteral("The most edges a node of a random graph has (1 to Nodes - 1).")},
        {QStringLiteral("Rand.Starts"),
         QStringLiteral("How many random initial cycles Polyn. Method starts from (1 to 32767); each runs in "
                        "full, and the series stops at the first that disagrees.")},
        {QStringLiteral("Exp. Method"),
         QStringLiteral("The exact search for a Hamiltonian cycle; it stops at the first one it meets.")},
        {QStringLiteral("Polyn. Method"),
         QStringLiteral("The polynomial method for graphs, from the Initial Cycle or from random cycles.")},
        {QStringLiteral("Compare"),
         QStringLiteral("Both methods and the verdict: ") +
             Quoted({IDS_BOTH_ZERO_CYCLE, IDS_BOTH_NO_ZERO_CYCLE, IDS_NO_ZERO_CYCLE_FOUND})},
        {QStringLiteral("Continuous Test"),
         QStringLiteral(
             "Random graphs one after the other until you press Escape; with Rand.Starts 1 each is "
             "compared with the exact method.")},
        {QStringLiteral("Reset"), QStringLiteral("A new random graph of at most Max.Degree edges per node.")},
        {QStringLiteral("Editor"), QStringLiteral("The matrix editor on the 0/1 matrix: 0 an edge, 1 none.")},
        {QStringLiteral("Gener2"),
         QStringLiteral("A random graph by the second generator: the pairs in order, each an edge by a coin "
                        "toss unless one of its nodes has Max.Degree edges already.")},
        {QStringLiteral("Only One Cycle?"),
         QStringLiteral("Whether the Hamiltonian cycle found is the only one.")},
        {QStringLiteral("By Exp. Method"),
         QStringLiteral("The exact method's time estimate, without running it (\"<= \": the search may end "
                        "early, at the first cycle).")},
        {QStringLiteral("Final Cycle"),
         QStringLiteral(
             "The cycle found with its length (the missing edges it uses), or \"Cycle in the graph "
             "does not exist.\"")},
    };
    return texts;
}

const CTexts& CheckTexts() {
    static const CTexts texts = {
        {kForm, QStringLiteral("The check window: is a cycle you type a minimum (or maximum) cycle of the "
                               "network?")},
        {kDrawing, QStringLiteral("The network with the given cycle in red.")},
        {QStringLiteral("Maximum Cycle"),
         QStringLiteral("Check for a maximum cycle instead of a minimum one.")},
        {QStringLiteral("Exp. Method"),
         QStringLiteral("Whether the given cycle is a minimum (maximum) cycle, by the exact method.")},
        {QStringLiteral("Polyn. Method"),
         QStringLiteral(
             "The same question by the polynomial method, which stops at the first better cycle.")},
        {QStringLiteral("Compare"),
         QStringLiteral("Both methods, then ") + Quoted({IDS_SAME_SOLUTION, IDS_POLYN_WRONG})},
        {QStringLiteral("Final to Given"),
         QStringLiteral("The best cycle the polynomial method finds from the given one becomes the given "
                        "cycle.")},
        {QStringLiteral("By Exp. Method"),
         QStringLiteral("The exact method's time estimate, without running it.")},
        {QStringLiteral("Given cycle"),
         QStringLiteral(
             "The cycle to check: node numbers joined by '-' from node 1 back to node 1; the window "
             "puts its length in front.")},
        {QStringLiteral("Comments"), QStringLiteral("The methods' verdicts on the given cycle.")},
    };
    return texts;
}

const CTexts& MapTexts() {
    static const CTexts texts = {
        {kForm, QStringLiteral("The map window: the two methods on a route through the state capitals.")},
        {kMap, QStringLiteral("The state capitals on the map, with the current route in red.")},
        {QStringLiteral("Current Route"),
         QStringLiteral(
             "The route as a list of capitals. Pick lines (a click toggles one) and press Accept to "
             "keep only those capitals.")},
        {QStringLiteral("Exp. Method"), QStringLiteral("The exact method on the selected capitals.")},
        {QStringLiteral("Polyn.Method"), QStringLiteral("The polynomial method on the selected capitals.")},
        {QStringLiteral("Compare"),
         QStringLiteral("Both methods on the selected capitals, and whether they agree.")},
        {QStringLiteral("Accept"), QStringLiteral("Keep only the capitals picked in the list (at least 4).")},
        {QStringLiteral("Reset"), QStringLiteral("All 51 capitals again.")},
        {QStringLiteral("Matrix"), QStringLiteral("The distances between the selected capitals.")},
        {QStringLiteral("Rand. Initial"), QStringLiteral("A random route through the selected capitals.")},
        {QStringLiteral("Time By Exp.Method"),
         QStringLiteral("The map's own parameters of the polynomial method.")},
        {QStringLiteral("Options"),
         QStringLiteral("Show Distances (of every leg on the map), Use Kilometers, Maximum Route.")},
        {QStringLiteral("Triangle Inequality"),
         QStringLiteral(
             "The triangles of capitals in which one side is longer than the other two together.")},
        {QStringLiteral("Nodes"), QStringLiteral("How many capitals the route visits.")},
        {QStringLiteral("Length"), QStringLiteral("The route's length in miles (or kilometres).")},
        {QStringLiteral("Time"), QStringLiteral("The time of the last run.")},
        {QStringLiteral("Rand.Starts"),
         QStringLiteral("How many random initial routes Polyn.Method starts from (1 to 32767).")},
        {QStringLiteral("Full Tests"),
         QStringLiteral("How many of the random starts run in full; the others stop at the previous start's "
                        "length.")},
    };
    return texts;
}

const CTexts& TextsOf(int kind) {
    switch (kind) {
        case KIND_GRAPH:
            return GraphTexts();
        case KIND_CHECK:
            return CheckTexts();
        case KIND_MAP:
            return MapTexts();
        default:
            return NetworkTexts();
    }
}

// What a control is called: its text, or the name its caption label gives it.
QString CaptionOf(QWidget* w) {
    QString caption;
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        caption = button->text();
    else if (auto* group = qobject_cast<QGroupBox*>(w))
        caption = group->title();
    else
        caption = w->accessibleName();
    return caption.remove(QLatin1Char('&'));
}

}  // namespace

QString WhatsThisText(int kind, const QString& caption) {
    const QString text = TextsOf(kind).value(caption);
    // The kinds share the network window's controls they have in common.
    return text.isEmpty() && kind != KIND_MAP ? NetworkTexts().value(caption) : text;
}

void AssignWhatsThis(QWidget* window, int kind) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QString key;
        if (qobject_cast<CNetView*>(w))
            key = kDrawing;
        else if (qobject_cast<CMapPane*>(w))
            key = kMap;
        else if (qobject_cast<CTestForm*>(w))
            key = kForm;
        else if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w) ||
                 qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                 qobject_cast<QPlainTextEdit*>(w))
            key = CaptionOf(w);
        if (!key.isEmpty()) w->setWhatsThis(WhatsThisText(kind, key));
    }
    // A caption label tells what its field tells.
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy()) label->setWhatsThis(label->buddy()->whatsThis());
}
