// The LP interface on COIN-OR CLP's simplex (ClpSimplex): its dual simplex from the last basis,
// with an event handler that counts iterations and asks the stop test every kLpPollMs.
#include <ClpEventHandler.hpp>
#include <ClpSimplex.hpp>

#include <chrono>

#include "solver/LpSolver.h"

namespace {

class CStopHandler final : public ClpEventHandler {
public:
    const std::function<bool()>* m_pStop = nullptr;
    int m_nLimit = 0, m_nIterations = 0, m_nPollMs = kLpPollMs;
    bool m_bStopped = false, m_bLimit = false;
    std::chrono::steady_clock::time_point m_next;

    int event(Event which) override {
        if (which != endOfIteration) return -1;
        if (m_nLimit > 0 && ++m_nIterations >= m_nLimit) {
            m_bLimit = true;
            return 0;
        }
        if (m_nLimit == 0) ++m_nIterations;
        if ((m_nIterations & 15) == 0 || m_nPollMs == 0) {
            const auto now = std::chrono::steady_clock::now();
            if (now >= m_next) {
                m_next = now + std::chrono::milliseconds(m_nPollMs);
                if (m_pStop && *m_pStop && (*m_pStop)()) {
                    m_bStopped = true;
                    return 0;
                }
            }
        }
        return -1;
    }
    ClpEventHandler* clone() const override { return new CStopHandler(*this); }
};

class CLpClp final : public CLpSolver {
public:
    CLpClp() {
        m_model.setLogLevel(0);
        m_model.setOptimizationDirection(1.0);
        m_model.passInEventHandler(&m_handler);
    }
    const char* Name() const override { return "clp"; }
    int Rows() const override { return m_model.numberRows(); }
    int Cols() const override { return m_model.numberColumns(); }

    void AddRows(const CLpVectors& v) override {
        if (v.Count() == 0) return;
        m_model.addRows(v.Count(), v.lo.data(), v.hi.data(), v.start.data(), v.idx.data(), v.val.data());
    }
    void AddCols(const CLpVectors& v) override {
        if (v.Count() == 0) return;
        m_model.addColumns(v.Count(), v.lo.data(), v.hi.data(), v.obj.data(), v.start.data(), v.idx.data(),
                           v.val.data());
    }
    void DelRows(const std::vector<int>& rows) override {
        if (!rows.empty()) m_model.deleteRows(static_cast<int>(rows.size()), rows.data());
    }
    void DelCols(const std::vector<int>& cols) override {
        if (!cols.empty()) m_model.deleteColumns(static_cast<int>(cols.size()), cols.data());
    }
    void SetColBounds(int col, double lo, double hi) override { m_model.setColumnBounds(col, lo, hi); }

    ELpStatus Solve(int iterationLimit, const std::function<bool()>& stop) override {
        CStopHandler* h = static_cast<CStopHandler*>(m_model.eventHandler());
        h->m_pStop = &stop;
        h->m_nLimit = iterationLimit;
        h->m_nIterations = 0;
        h->m_bStopped = h->m_bLimit = false;
        h->m_nPollMs = m_nPollMs;
        h->m_next = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_nPollMs);
        m_model.dual(0);
        h->m_pStop = nullptr;
        if (h->m_bStopped) return ELpStatus::Stopped;
        if (h->m_bLimit) return ELpStatus::IterationLimit;
        switch (m_model.status()) {
            case 0:
                return ELpStatus::Optimal;
            case 1:
                return ELpStatus::Infeasible;
            case 3:
                return ELpStatus::IterationLimit;
            default:
                return ELpStatus::Failed;
        }
    }
    double Objective() const override { return m_model.objectiveValue(); }
    void Primal(std::vector<double>& x) const override {
        const double* p = m_model.primalColumnSolution();
        x.assign(p, p + Cols());
    }
    void Duals(std::vector<double>& y) const override {
        const double* p = m_model.dualRowSolution();
        y.assign(p, p + Rows());
    }
    void ReducedCosts(std::vector<double>& d) const override {
        const double* p = m_model.dualColumnSolution();
        d.assign(p, p + Cols());
    }
    bool RowBasic(int row) const override {
        return const_cast<ClpSimplex&>(m_model).getRowStatus(row) == ClpSimplex::basic;
    }
    void SaveBasis() override {
        const unsigned char* s = m_model.statusArray();
        m_basis.assign(s, s + Rows() + Cols());
    }
    void RestoreBasis() override {
        if (static_cast<int>(m_basis.size()) == Rows() + Cols()) m_model.copyinStatus(m_basis.data());
    }

private:
    ClpSimplex m_model;
    CStopHandler m_handler;
    std::vector<unsigned char> m_basis;
};

}  // namespace

std::unique_ptr<CLpSolver> MakeClpLp() { return std::make_unique<CLpClp>(); }
