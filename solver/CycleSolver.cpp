// CCycleSolver: construction, table storage, cost rules and the cycle-shape operations.
#include "solver/CycleSolver.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "solver/CrtRandom.h"

CCycleSolver::CCycleSolver() = default;

// ---- Storage ---------------------------------------------------------------------------------------

std::size_t CCycleSolver::InsertTableBytes(int nodes, int kind) {
    const std::size_t dim = static_cast<std::size_t>(std::max(nodes, 0)) + 1;
    const std::size_t cell = kind == KIND_GRAPH ? sizeof(int8_t) : sizeof(int32_t);
    // The table and the lowered weights kept beside it.
    return dim * dim * dim * cell + dim * dim * sizeof(int32_t);
}

std::size_t CCycleSolver::TableBytes(int nodes, int kind) {
    const std::size_t dim = static_cast<std::size_t>(std::max(nodes, 0)) + 1;
    // Six matrices and the position rows of two cycles, then the insertion table.
    const std::size_t matrices = (6 * dim * dim + 2 * (dim + 1) * (dim + 1)) * sizeof(int32_t);
    return matrices + InsertTableBytes(nodes, kind);
}

namespace {

std::size_t PhysicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return SIZE_MAX;
    return static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize);
}

// MemAvailable of /proc/meminfo: what can be had now without swapping; SIZE_MAX when unknown.
std::size_t AvailableMemoryBytes() {
    std::FILE* file = std::fopen("/proc/meminfo", "r");
    if (!file) return SIZE_MAX;
    char line[128];
    unsigned long long kb = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, file)) found = std::sscanf(line, "MemAvailable: %llu kB", &kb) == 1;
    std::fclose(file);
    return found ? static_cast<std::size_t>(kb) * 1024 : SIZE_MAX;
}

std::string Megabytes(std::size_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(bytes) / (1 << 20));
    return text;
}

}  // namespace

std::size_t CCycleSolver::TableMemoryLimit() {
    // The kernel hands out address space lazily, so tables beyond memory would "succeed" and the
    // program (or another) would die while they are filled. Tables may take three quarters of the
    // machine's memory, and no more than is free now less 256 MB for the rest of the system.
    const std::size_t available = AvailableMemoryBytes();
    const std::size_t reserve = std::size_t{256} << 20;
    const std::size_t free = available == SIZE_MAX ? SIZE_MAX : available > reserve ? available - reserve : 0;
    return std::min(PhysicalMemoryBytes() / 4 * 3, free);
}

bool CCycleSolver::WithinMemory(std::size_t bytes, const char* what) {
    const std::size_t limit = TableMemoryLimit();
    if (bytes <= limit) return true;
    m_strMemoryRefusal = std::string(what) + " for " + std::to_string(m_nNodes) + " nodes would take " +
                         Megabytes(bytes) + "; at most " + Megabytes(limit) +
                         " may be taken (three quarters of the machine's memory, no more than is free now)";
    return false;
}

int CCycleSolver::AllocateTables() {
    FreeTables();
    const int n = m_nNodes;
    if (n < 1 || n > MAX_SOLVER_NODES) return 0;
    const std::size_t bytes = m_bInsertOnDemand ? TableBytes(n, m_nKind) - InsertTableBytes(n, m_nKind)
                                                : TableBytes(n, m_nKind);
    if (!WithinMemory(bytes, "the tables")) return 0;

    bool ok = m_ppWeight.Allocate(n) && m_ppWork.Allocate(n) && m_ppAdjust.Allocate(n) &&
              m_ppGain.Allocate(n) && m_ppMark.Allocate(n) && m_ppMark2.Allocate(n) &&
              m_ppPosRows[0].Allocate(n + 1) && m_ppPosRows[1].Allocate(n + 1);
    m_nPosVersion = 0;
    m_nPieces = 0;
    m_bAllocated = ok ? 1 : 0;
    if (ok && !m_bInsertOnDemand) ok = EnsureInsertTable() != 0;
    if (!ok) {
        if (m_strMemoryRefusal.empty()) m_strMemoryRefusal = "the system refused the memory of the tables";
        FreeTables();
        return 0;
    }
    return 1;
}

int CCycleSolver::EnsureInsertTable() {
    if (!m_bAllocated) return 0;
    const bool graph = m_nKind == KIND_GRAPH;
    if (graph ? m_pppInsertSmall.IsAllocated() : m_pppInsert.IsAllocated()) return 1;
    // A kind of the other width (a document opened as another kind) gives its table back first.
    m_pppInsert.Free();
    m_pppInsertSmall.Free();
    m_nPosVersion = 0;
    if (!WithinMemory(InsertTableBytes(m_nNodes, m_nKind), "the polynomial method's insertion table")) return 0;
    if (graph ? m_pppInsertSmall.Allocate(m_nNodes) : m_pppInsert.Allocate(m_nNodes)) return 1;
    m_strMemoryRefusal = "the system refused the memory of the polynomial method's insertion table";
    return 0;
}

void CCycleSolver::FreeTables() {
    m_strMemoryRefusal.clear();
    m_ppWeight.Free();
    m_ppWork.Free();
    m_ppAdjust.Free();
    m_ppGain.Free();
    m_ppMark.Free();
    m_ppMark2.Free();
    m_ppPosRows[0].Free();
    m_ppPosRows[1].Free();
    m_nPosVersion = 0;
    m_nPieces = 0;
    m_pppInsert.Free();
    m_pppInsertSmall.Free();
    m_bAllocated = 0;
}

int CCycleSolver::SetNodeCount(int nodes) {
    IDialogHost& dialogs = *Platform().pDialogs;
    dialogs.SetWaitCursor(true);
    FreeTables();
    m_nNodes = nodes;
    const int ok = AllocateTables();
    dialogs.SetWaitCursor(false);
    return ok;
}

// ---- Utilities -------------------------------------------------------------------------------------

void CCycleSolver::NegateWeights() {
    const int n = m_nNodes;
    for (int i = 1; i <= n; ++i) {
        int32_t* row = m_ppWeight[i];
        for (int j = 1; j <= n; ++j) row[j] = Negated(row[j]);
    }
}

void CCycleSolver::MakeInitialCycle(int create, int random) {
    const int n = m_nNodes;
    if (create == 0) {
        std::copy(m_aInitial, m_aInitial + n + 2, m_aCycle);
        return;
    }
    m_aCycle[0] = 0;
    for (int k = 1; k <= n; ++k) m_aCycle[k] = k;
    m_aCycle[n + 1] = 1;

    if (random != 0) {
        CrtSrandFromClock();
        // m_aScratch serves as the table of free nodes: entry k = k while node k is free, 0 once taken.
        std::copy(m_aCycle, m_aCycle + n + 1, m_aScratch);
        m_aInitial[0] = 0;
        m_aInitial[1] = 1;  // node 1 is never drawn; it always leads
        for (int p = 2; p <= n; ++p) {
            const int m = n - p + 1;
            const int r = CrtRand() % m;
            int seen = 0;
            for (int node = 2; node <= n; ++node) {
                if (m_aScratch[node] == 0) continue;
                if (++seen == r + 1) {
                    m_aInitial[p] = node;
                    m_aScratch[node] = 0;
                    break;
                }
            }
        }
        m_aInitial[n + 1] = 1;
        std::copy(m_aInitial, m_aInitial + n + 2, m_aCycle);
        NormalizeCycle();
    }
    std::copy(m_aCycle, m_aCycle + n + 2, m_aInitial);
}

int CCycleSolver::CycleCostOf(const int* cycle) const {
    const int n = m_nNodes;
    if (n < 1) return 0;
    const bool graph = m_nKind == KIND_GRAPH;
    int cost = 0;
    for (int k = 1; k <= n; ++k) {
        const int a = cycle[k];
        const int b = k < n ? cycle[k + 1] : cycle[1];
        const int w = a < b ? m_ppWeight[a][b] : m_ppWeight[b][a];
        // Plain wrapping 32-bit addition, as every cost sum of the program.
        cost = static_cast<int>(static_cast<uint32_t>(cost) + static_cast<uint32_t>(w));
        if (graph && w == 3) cost -= 2;
    }
    return cost;
}

int CCycleSolver::CycleCost(int) {
    m_aCycle[m_nNodes + 1] = m_aCycle[1];
    return CycleCostOf(m_aCycle);
}

int CCycleSolver::CycleCostAdjusted(int, int* adjustedOut) {
    const int n = m_nNodes;
    m_aCycle[n + 1] = m_aCycle[1];
    if (!adjustedOut) return CycleCostOf(m_aCycle);
    // Both sums in one pass over the edges, the true one as CycleCostOf takes it.
    const bool graph = m_nKind == KIND_GRAPH;
    uint32_t adjusted = 0, cost = 0;
    for (int k = 1; k <= n; ++k) {
        const int a = std::min(m_aCycle[k], m_aCycle[k + 1]);
        const int b = std::max(m_aCycle[k], m_aCycle[k + 1]);
        const int32_t w = m_ppWeight[a][b];
        adjusted += static_cast<uint32_t>(w);
        if (m_ppAdjust[a][b] < 0) adjusted += static_cast<uint32_t>(m_ppAdjust[a][b]);
        cost += static_cast<uint32_t>(w);
        if (graph && w == 3) cost -= 2;
    }
    *adjustedOut = static_cast<int>(adjusted);
    return static_cast<int>(cost);
}

int CCycleSolver::SaveOrCompareBest(int compare) {
    const int n = m_nNodes;
    if (compare == 0) {
        std::copy(m_aBest + 1, m_aBest + n + 1, m_aSaved + 1);
        return 1;
    }
    if (std::equal(m_aBest + 1, m_aBest + n + 1, m_aSaved + 1)) return 1;
    return CycleCostOf(m_aBest) == CycleCostOf(m_aSaved) ? 1 : 0;
}

int CCycleSolver::BestDiffersFromOther() const {
    return std::equal(m_aBest + 1, m_aBest + m_nNodes + 1, m_aOther + 1) ? 0 : 1;
}

// ---- Cycle shapes ------------------------------------------------------------------------------------

namespace {
// out[k] = cycle[(p + k - 2) % n + 1] for k = 1..n: the cycle read from position p on.
void RotatedCopy(const int* cycle, int n, int p, int* out) {
    const int head = n - p + 1;
    std::copy(cycle + p, cycle + n + 1, out + 1);
    std::copy(cycle + 1, cycle + p, out + head + 1);
}
}  // namespace

void CCycleSolver::NormalizeCycle() {
    const int n = m_nNodes;
    if (n < 1) return;
    // Already from node 1 on, in the direction of the smaller neighbour: nothing to move.
    if (m_aCycle[1] == 1 && (n < 3 || m_aCycle[2] < m_aCycle[n])) {
        m_aCycle[n + 1] = m_aCycle[1];
        return;
    }
    int p = 1;
    for (int k = 1; k <= n; ++k) {
        if (m_aCycle[k] == 1) {
            p = k;
            break;
        }
    }
    RotatedCopy(m_aCycle, n, p, m_aScratch);
    if (n >= 3 && m_aScratch[2] >= m_aScratch[n]) {
        m_aCycle[1] = m_aScratch[1];
        for (int k = 2; k <= n; ++k) m_aCycle[k] = m_aScratch[n - k + 2];
    } else {
        std::copy(m_aScratch + 1, m_aScratch + n + 1, m_aCycle + 1);
    }
    m_aCycle[n + 1] = m_aCycle[1];
}

void CCycleSolver::RotateCycleTo(int node) {
    const int n = m_nNodes;
    int p = 1;
    for (int k = 1; k <= n; ++k) {
        if (m_aCycle[k] == node) {
            p = k;
            break;
        }
    }
    RotatedCopy(m_aCycle, n, p, m_aScratch);
    std::copy(m_aScratch + 1, m_aScratch + n + 1, m_aCycle + 1);
    m_aCycle[n + 1] = m_aCycle[1];
}

void CCycleSolver::MoveNode(int x, int a, int b) {
    const int n = m_nNodes;
    // Lay the cycle out without x, starting right after it.
    RotateCycleTo(x);
    int* rest = m_aScratch + 1;  // rest[0..n-2]
    std::copy(m_aCycle + 2, m_aCycle + n + 1, rest);
    const int len = n - 1;
    int pa = 0;
    while (pa < len && rest[pa] != a) ++pa;
    // Insert after a when b follows a, else before a (b precedes a).
    const int at = (pa < len && rest[(pa + 1) % len] == b) ? pa + 1 : pa;
    int out = 1;
    for (int k = 0; k < len; ++k) {
        if (k == at) m_aCycle[out++] = x;
        m_aCycle[out++] = rest[k];
    }
    if (at == len) m_aCycle[out++] = x;
    NormalizeCycle();
}

void CCycleSolver::ReverseTail(int node, int stop) {
    const int n = m_nNodes;
    RotateCycleTo(node);
    int s = 1;
    while (s <= n && m_aCycle[s] != stop) ++s;
    if (s <= n) std::reverse(m_aCycle + s, m_aCycle + n + 1);
    NormalizeCycle();
}
