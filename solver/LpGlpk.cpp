// The LP interface on GLPK's simplex: the problem lives in one glp_prob; a solve is GLPK's dual
// simplex (primal where the basis is not dual feasible) run in slices of kLpPollMs, so the stop
// test is asked between slices and a long solve still stops at once.
#include <glpk.h>

#include <algorithm>
#include <climits>

#include "solver/LpSolver.h"

namespace {

class CLpGlpk final : public CLpSolver {
public:
    CLpGlpk() : m_lp(glp_create_prob()) {
        glp_term_out(GLP_OFF);  // glp_adv_basis reports on the terminal whatever msg_lev says
        glp_set_obj_dir(m_lp, GLP_MIN);
        glp_init_smcp(&m_parm);
        m_parm.msg_lev = GLP_MSG_OFF;
        m_parm.meth = GLP_DUALP;
        m_parm.presolve = GLP_OFF;
    }
    ~CLpGlpk() override { glp_delete_prob(m_lp); }
    CLpGlpk(const CLpGlpk&) = delete;
    CLpGlpk& operator=(const CLpGlpk&) = delete;

    const char* Name() const override { return "glpk"; }
    int Rows() const override { return glp_get_num_rows(m_lp); }
    int Cols() const override { return glp_get_num_cols(m_lp); }

    void AddRows(const CLpVectors& v) override {
        const int n = v.Count();
        if (n == 0) return;
        const int first = glp_add_rows(m_lp, n);
        std::vector<int> ind;
        std::vector<double> val;
        for (int k = 0; k < n; ++k) {
            Fill(v, k, ind, val);
            glp_set_mat_row(m_lp, first + k, static_cast<int>(ind.size()) - 1, ind.data(), val.data());
            glp_set_row_bnds(m_lp, first + k, BoundType(v.lo[k], v.hi[k]), v.lo[k], v.hi[k]);
        }
    }
    void AddCols(const CLpVectors& v) override {
        const int n = v.Count();
        if (n == 0) return;
        const int first = glp_add_cols(m_lp, n);
        std::vector<int> ind;
        std::vector<double> val;
        for (int k = 0; k < n; ++k) {
            Fill(v, k, ind, val);
            glp_set_mat_col(m_lp, first + k, static_cast<int>(ind.size()) - 1, ind.data(), val.data());
            glp_set_col_bnds(m_lp, first + k, BoundType(v.lo[k], v.hi[k]), v.lo[k], v.hi[k]);
            glp_set_obj_coef(m_lp, first + k, v.obj[k]);
        }
    }
    void DelRows(const std::vector<int>& rows) override {
        if (rows.empty()) return;
        std::vector<int> num{0};
        for (int r : rows) num.push_back(r + 1);
        glp_del_rows(m_lp, static_cast<int>(rows.size()), num.data());
    }
    void DelCols(const std::vector<int>& cols) override {
        if (cols.empty()) return;
        std::vector<int> num{0};
        for (int c : cols) num.push_back(c + 1);
        glp_del_cols(m_lp, static_cast<int>(cols.size()), num.data());
    }
    void SetColBounds(int col, double lo, double hi) override {
        glp_set_col_bnds(m_lp, col + 1, BoundType(lo, hi), lo, hi);
    }

    ELpStatus Solve(int iterationLimit, const std::function<bool()>& stop) override {
        const int begin = glp_get_it_cnt(m_lp);
        m_parm.tm_lim = std::max(1, m_nPollMs);
        for (;;) {
            const int before = glp_get_it_cnt(m_lp);
            m_parm.it_lim = iterationLimit > 0 ? iterationLimit - (glp_get_it_cnt(m_lp) - begin) : INT_MAX;
            if (m_parm.it_lim <= 0) return ELpStatus::IterationLimit;
            int rc = glp_simplex(m_lp, &m_parm);
            if (rc == GLP_EBADB || rc == GLP_ESING || rc == GLP_ECOND) {  // a fresh basis, once
                glp_adv_basis(m_lp, 0);
                rc = glp_simplex(m_lp, &m_parm);
            }
            if (rc == GLP_ETMLIM) {
                if (stop && stop()) return ELpStatus::Stopped;
                // A slice that ended before a single iteration (the factorisation took it all)
                // gets twice the time, so the solve always moves on.
                if (glp_get_it_cnt(m_lp) == before) m_parm.tm_lim = std::min(m_parm.tm_lim * 2, 60000);
                continue;
            }
            if (rc == GLP_EITLIM) return ELpStatus::IterationLimit;
            if (rc != 0) return ELpStatus::Failed;
            switch (glp_get_status(m_lp)) {
                case GLP_OPT:
                    return ELpStatus::Optimal;
                case GLP_NOFEAS:
                    return ELpStatus::Infeasible;
                default:
                    return ELpStatus::Failed;
            }
        }
    }
    double Objective() const override { return glp_get_obj_val(m_lp); }
    void Primal(std::vector<double>& x) const override {
        x.resize(static_cast<std::size_t>(Cols()));
        for (int c = 0; c < Cols(); ++c) x[static_cast<std::size_t>(c)] = glp_get_col_prim(m_lp, c + 1);
    }
    void Duals(std::vector<double>& y) const override {
        y.resize(static_cast<std::size_t>(Rows()));
        for (int r = 0; r < Rows(); ++r) y[static_cast<std::size_t>(r)] = glp_get_row_dual(m_lp, r + 1);
    }
    void ReducedCosts(std::vector<double>& d) const override {
        d.resize(static_cast<std::size_t>(Cols()));
        for (int c = 0; c < Cols(); ++c) d[static_cast<std::size_t>(c)] = glp_get_col_dual(m_lp, c + 1);
    }
    bool RowBasic(int row) const override { return glp_get_row_stat(m_lp, row + 1) == GLP_BS; }
    void SaveBasis() override {
        m_rowStat.resize(static_cast<std::size_t>(Rows()));
        m_colStat.resize(static_cast<std::size_t>(Cols()));
        for (int r = 0; r < Rows(); ++r) m_rowStat[static_cast<std::size_t>(r)] = glp_get_row_stat(m_lp, r + 1);
        for (int c = 0; c < Cols(); ++c) m_colStat[static_cast<std::size_t>(c)] = glp_get_col_stat(m_lp, c + 1);
    }
    void RestoreBasis() override {
        for (int r = 0; r < Rows() && r < static_cast<int>(m_rowStat.size()); ++r)
            glp_set_row_stat(m_lp, r + 1, m_rowStat[static_cast<std::size_t>(r)]);
        for (int c = 0; c < Cols() && c < static_cast<int>(m_colStat.size()); ++c)
            glp_set_col_stat(m_lp, c + 1, m_colStat[static_cast<std::size_t>(c)]);
    }

private:
    static int BoundType(double lo, double hi) {
        if (lo == hi) return GLP_FX;
        if (lo <= -1e30) return hi >= 1e30 ? GLP_FR : GLP_UP;
        return hi >= 1e30 ? GLP_LO : GLP_DB;
    }
    static void Fill(const CLpVectors& v, int k, std::vector<int>& ind, std::vector<double>& val) {
        ind.assign(1, 0);
        val.assign(1, 0.0);
        for (int p = v.start[static_cast<std::size_t>(k)]; p < v.start[static_cast<std::size_t>(k) + 1]; ++p)
            ind.push_back(v.idx[static_cast<std::size_t>(p)] + 1), val.push_back(v.val[static_cast<std::size_t>(p)]);
    }

    glp_prob* m_lp;
    glp_smcp m_parm{};
    std::vector<int> m_rowStat, m_colStat;
};

}  // namespace

std::unique_ptr<CLpSolver> MakeGlpkLp() { return std::make_unique<CLpGlpk>(); }
