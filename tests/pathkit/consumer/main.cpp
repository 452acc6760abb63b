// A program outside the QUIRA-1 tree: loads the instance named on the command line through the
// installed pathkit and prints its size, one weight and the cost of the tour 1, 2, ..., n.
#include <pathkit/pathkit.h>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) return 2;
    TSP tsp;
    if (!tsp.Load(argv[1])) return 1;
    for (int node = 1; node <= tsp.GetDim(); ++node) tsp.tourList.push_back(node);
    CRandSrc dice(1, 6);
    const int roll = dice();
    std::printf("pathkit %s: %d nodes, d(1,2) = %d, tour cost %d, roll %s\n", PATHKIT_VERSION_STRING,
                tsp.GetDim(), tsp.GetCost(1, 2), tsp.CalcCost(), roll >= 1 && roll <= 6 ? "ok" : "bad");
    return 0;
}
