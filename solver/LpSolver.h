// The small linear-programme interface the optimum method's branch and cut stands on, and its two
// implementations: GLPK's simplex (solver/LpGlpk.cpp) and COIN-OR CLP's (solver/LpClp.cpp).
//
// A minimisation over columns with bounds and rows lo <= a x <= hi (lo == hi for equations),
// both added and removed while the search runs; solved by the dual simplex from the last basis
// (added rows come in with their slack basic, added columns at their lower bound, so a warm start
// stays valid). Rows and columns are numbered from 0 in the order they were added; removing some
// renumbers the rest in order. The stop test is asked at least every kLpPollMs of a solve.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class ELpKind { Glpk, Clp };
enum class ELpStatus { Optimal, Infeasible, IterationLimit, Stopped, Failed };

constexpr int kLpPollMs = 50;

// Rows or columns to add: entry k has coefficients idx/val[start[k] .. start[k+1]).
struct CLpVectors {
    std::vector<int> start{0};
    std::vector<int> idx;
    std::vector<double> val;
    std::vector<double> lo, hi, obj;  // obj: columns only
    int Count() const { return static_cast<int>(start.size()) - 1; }
    void Clear() { start.assign(1, 0), idx.clear(), val.clear(), lo.clear(), hi.clear(), obj.clear(); }
    void Close() { start.push_back(static_cast<int>(idx.size())); }
};

class CLpSolver {
public:
    virtual ~CLpSolver() = default;
    virtual const char* Name() const = 0;
    virtual int Rows() const = 0;
    virtual int Cols() const = 0;
    virtual void AddRows(const CLpVectors& rows) = 0;  // over existing columns
    virtual void AddCols(const CLpVectors& cols) = 0;  // over existing rows
    virtual void DelRows(const std::vector<int>& rows) = 0;  // ascending
    virtual void DelCols(const std::vector<int>& cols) = 0;  // ascending
    virtual void SetColBounds(int col, double lo, double hi) = 0;
    // Dual simplex from the current basis; iterationLimit 0 = none. stop is asked now and then
    // (true ends the solve with Stopped).
    virtual ELpStatus Solve(int iterationLimit, const std::function<bool()>& stop) = 0;
    virtual double Objective() const = 0;
    virtual void Primal(std::vector<double>& x) const = 0;      // per column
    virtual void Duals(std::vector<double>& y) const = 0;       // per row
    virtual void ReducedCosts(std::vector<double>& d) const = 0;  // per column
    virtual bool RowBasic(int row) const = 0;  // the row's slack is basic (the row is not binding)
    // The basis, kept and put back around trial solves (strong branching).
    virtual void SaveBasis() = 0;
    virtual void RestoreBasis() = 0;
    // How often a solve asks its stop test, in milliseconds (kLpPollMs unless set).
    void SetPollMs(int ms) { m_nPollMs = ms; }

protected:
    int m_nPollMs = kLpPollMs;
};

std::unique_ptr<CLpSolver> MakeLpSolver(ELpKind kind);
// "glpk" or "clp"; false for another name.
bool ParseLpKind(const std::string& name, ELpKind& kind);
