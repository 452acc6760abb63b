// The random problems of the program: networks with weights in -A..A, graphs of bounded degree
// (the Reset generator) and the graph window's second generator, Gener2. All draw from the
// C-runtime generator (solver/CrtRandom.h), seeded from the clock at the start of each generation
// (quira-cli's --seed replaces the clock).
#pragma once

class CCycleSolver;

// Clears rows and columns 0..n, makes the identity the current and initial cycle, and fills the
// upper triangle: with A = m_nAmplitude > 0 a weight in -A..A (odd values in -A+1..A-1 when
// A > 20000), with A <= 0 a weight 0 or 1.
void RandomNetwork(CCycleSolver& solver);

// A random graph (0 = edge, 1 = none) of maximum degree D = m_nAmplitude in the upper triangle.
// D = 0: every pair is an edge or not with equal chance. Needs 2 <= n <= 1024 when D != 0; outside
// that range the graph is left without edges.
void RandomGraph(CCycleSolver& solver);

// Gener2: pairs (i, j) in order, each an edge when its draw is even and neither end has reached
// degree d yet. Seeded with the time in seconds.
void Gener2(CCycleSolver& solver, int degree);
