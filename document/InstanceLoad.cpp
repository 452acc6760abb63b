// Reading a published instance file through pathkit into a network.
#include "document/InstanceLoad.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "document/MainDoc.h"
#include "document/SurveyInput.h"
#include "pathkit/TSPData.h"
#include "solver/CycleSolver.h"

namespace {

std::string Range(const CInstanceLimits& limits) {
    return limits.minNodes > 1 ? std::to_string(limits.minNodes) + " to " + std::to_string(limits.maxNodes)
                               : "at most " + std::to_string(limits.maxNodes);
}

std::string NodesRefusal(long long n, const CInstanceLimits& limits) {
    return std::to_string(n) + " nodes; expected " + Range(limits) + " (" + limits.holder + ")";
}

}  // namespace

CInstanceLimits SolverInstanceLimits() {
    return {1, MAX_SOLVER_NODES, 0, "the solver's limit"};
}

CInstanceLimits NetworkWindowInstanceLimits() {
    return {MIN_DOC_NODES, MaxNodesOfKind(KIND_NETWORK), DOC_MAX_WEIGHT, "the network window's limit"};
}

bool ReadInstanceFixedEdges(const std::string& path, std::vector<std::pair<int, int>>& edges, std::string& reason) {
    TSPData data;
    std::ostringstream messages;  // pathkit reports on std::cerr; its lines become the reason
    std::streambuf* old = std::cerr.rdbuf(messages.rdbuf());
    const bool ok = data.Load(path.c_str()) && data.ReadFixedEdges(path.c_str(), edges);
    std::cerr.rdbuf(old);
    if (ok) return true;
    reason = messages.str();
    while (!reason.empty() && reason.back() == '\n') reason.pop_back();
    for (char& c : reason)
        if (c == '\n') c = ';';
    return false;
}

std::string ReadFileHead(const std::string& path, std::size_t bytes) {
    std::ifstream in(path, std::ios::binary);
    std::string head(bytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return head;
}

CInstanceRead ReadInstanceInto(CCycleSolver& solver, const std::string& path, const CInstanceLimits& limits) {
    CInstanceRead read;
    auto refuse = [&](std::string reason) {
        read.reason = std::move(reason);
        return read;
    };
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return refuse("is a directory; expected an instance file");

    // The file is judged before it is loaded: the reader reads it twice, which a FIFO does not
    // allow (and would wait for a writer). Its header tells a tour file, an asymmetric problem, a
    // keyword given twice and a node count beyond the limit before the whole file is read.
    if (std::filesystem::exists(path, error) && !std::filesystem::is_regular_file(path, error))
        return refuse("not a regular file; expected an instance file");
    CInstanceScan header;
    {
        std::ifstream in(path, std::ios::binary);
        header = ScanInstanceFile(in);
    }
    if (!header.error.empty()) return refuse(header.error);
    if (IsTourType(header.type))
        return refuse("a tour file (TYPE : " + header.type + "); expected an instance file");
    if (!header.type.empty() && header.type.substr(0, header.type.find_first_of(" \t(")) != "TSP")
        return refuse("TYPE " + header.type + "; expected TSP, the symmetric problem");
    if (header.dimension > limits.maxNodes) return refuse(NodesRefusal(header.dimension, limits));

    TSPData data;
    // pathkit reports on std::cerr; its lines become the one-line reason.
    std::ostringstream messages;
    std::streambuf* old = std::cerr.rdbuf(messages.rdbuf());
    const bool loaded = data.Load(path.c_str());
    std::cerr.rdbuf(old);
    if (!loaded) {
        std::string reason = messages.str();
        while (!reason.empty() && reason.back() == '\n') reason.pop_back();
        for (char& c : reason)
            if (c == '\n') c = ';';
        return refuse("not a loadable instance file: " + reason);
    }
    read.distanceType = data.GetDistanceType() ? data.GetDistanceType()->name : "EXPLICIT";
    const int n = data.GetDim();
    if (n < limits.minNodes || n > limits.maxNodes) return refuse(NodesRefusal(n, limits));
    long long largest = 0;
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            largest = std::max(largest, std::llabs(static_cast<long long>(data.GetCost(i, j))));
    if (limits.maxWeight > 0 && largest > limits.maxWeight)
        return refuse("weight " + std::to_string(largest) + "; expected weights of at most " +
                      std::to_string(limits.maxWeight) + " in magnitude (" + limits.holder + ")");
    if (largest * n >= (1LL << 31))
        return refuse("weight " + std::to_string(largest) + " times " + std::to_string(n) +
                      " nodes leaves the 32-bit range of a cycle's cost; expected weights of at most " +
                      std::to_string(((1LL << 31) - 1) / n) + " in magnitude");
    if (!solver.SetNodeCount(n)) return refuse("not enough memory for " + std::to_string(n) + " nodes");
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) solver.m_ppWeight[i][j] = j > i ? data.GetCost(i, j) : 0;
    solver.MakeInitialCycle(1, 0);

    read.positions.geo = data.GetWeightType() == EWT_GEO;
    const POS_2D* flat = data.GetPositions2D();
    const POS_3D* solid = data.GetPositions3D();
    for (int k = 0; (flat || solid) && k < n; ++k) {
        read.positions.x.push_back(flat ? flat[k].x : solid[k].x);
        read.positions.y.push_back(flat ? flat[k].y : solid[k].y);
    }
    read.name = data.GetName();
    while (!read.name.empty() && std::isspace(static_cast<unsigned char>(read.name.back())))
        read.name.pop_back();
    if (read.name.empty()) read.name = std::filesystem::path(path).stem().string();
    return read;
}

std::vector<CSvgPoint> InstanceDrawingPositions(const CInstancePositions& positions) {
    if (positions.x.empty()) return {};
    // Degrees.minutes to degrees, as the GEO distance reads them.
    auto degrees = [](double value) {
        const double whole = std::trunc(value);
        return whole + (value - whole) * 5.0 / 3.0;
    };
    std::vector<CSvgPoint> at(positions.x.size() + 1);
    for (std::size_t k = 0; k < positions.x.size(); ++k)
        at[k + 1] = positions.geo ? CSvgPoint{degrees(positions.y[k]), -degrees(positions.x[k])}
                                  : CSvgPoint{positions.x[k], -positions.y[k]};
    return at;
}
