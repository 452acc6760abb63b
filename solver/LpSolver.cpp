// The choice between the two LP implementations behind CLpSolver.
#include "solver/LpSolver.h"

std::unique_ptr<CLpSolver> MakeGlpkLp();
std::unique_ptr<CLpSolver> MakeClpLp();

std::unique_ptr<CLpSolver> MakeLpSolver(ELpKind kind) {
    return kind == ELpKind::Clp ? MakeClpLp() : MakeGlpkLp();
}

bool ParseLpKind(const std::string& name, ELpKind& kind) {
    if (name == "glpk") kind = ELpKind::Glpk;
    else if (name == "clp") kind = ELpKind::Clp;
    else return false;
    return true;
}
