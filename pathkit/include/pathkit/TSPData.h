// TSPData: one travelling-salesman instance read from an instance file of the keyword/section text
// format (NAME, DIMENSION, EDGE_WEIGHT_TYPE, EDGE_WEIGHT_FORMAT, EDGE_WEIGHT_SECTION,
// NODE_COORD_SECTION, DISPLAY_DATA_SECTION, TOUR_SECTION, EOF): its name, comment, node count,
// coordinates, symmetric integer distance matrix and an optional tour.
//
// The matrix is packed: dim*(dim-1)/2 entries, the upper triangle without the diagonal, row by row, so
// that large instances fit. Nodes are numbered 1..dim in every member that takes node numbers.
//
// Errors are reported as one line on the standard error stream and a false result; nothing throws out
// of the library.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <iosfwd>
#include <memory>
#include <utility>
#include <vector>

#include "pathkit/Types.h"
#include "pathkit/pathkit_export.h"

class PATHKIT_EXPORT TSPData {
public:
    TSPData();
    virtual ~TSPData();
    TSPData(const TSPData&) = delete;
    TSPData& operator=(const TSPData&) = delete;

    // Reads an instance file; true on success. A failed load leaves the instance empty.
    virtual bool Load(const char* path);
    // Fills the matrix from the coordinates with the instance's distance function.
    virtual void CalcMatrix();
    // Writes the matrix as a text table to a file (reports a file that cannot be written), as
    // WriteMatrixFile does.
    virtual void StoreMatrix(const char* path);
    // Writes the table safely: to a temporary file in the same folder, flushed, synced and renamed
    // over path. On failure the old file keeps its bytes, no temporary file is left, the failure is
    // reported with the file name and the reason, and the result is false.
    bool WriteMatrixFile(const char* path);
    // Extension points for derived classes; they write nothing here.
    virtual void Store(std::ostream& out);
    virtual void Store(const char* path);

    // Writes the same table as StoreMatrix(path) to a stream the caller owns.
    void StoreMatrix(std::ostream& out);

    // Reads the numbers of an EDGE_WEIGHT_SECTION in the given format from the open file; false when
    // the format has no numbers to read, the section ends early or holds something else than a number.
    bool ReadMatrix(EDGE_WEIGHT_FORMAT format, FILE* file);
    // Reads dim coordinate lines of the kind (2-D or 3-D) that the type implies; false for a type
    // without coordinates, a bad node number or a line without its coordinates.
    bool ReadCoord(EDGE_WEIGHT_TYPE type, FILE* file);

    // The first type (in code order) whose keyword occurs in text; EWT_NONE, with a message, if none.
    static EDGE_WEIGHT_TYPE GetWeightType(const char* text);
    // The same for the format keywords.
    static EDGE_WEIGHT_FORMAT GetMatrixFormat(const char* text);

    char* GetName() { return name; }
    char* GetComment() { return comment; }
    void SetName(const char* text);
    void SetComment(const char* text);
    int GetDim() const { return dim; }
    const DIST_TYPE* GetDistanceType() const { return distType; }
    POS_2D* GetPositions2D() { return pos2D.get(); }
    POS_3D* GetPositions3D() { return pos3D.get(); }
    bool Is2D() const { return pos2D && !pos3D; }
    bool Is3D() const { return pos3D && !pos2D; }
    EDGE_WEIGHT_FORMAT GetWeightFormat() const { return weightFormat; }
    void SetWeightFormat(EDGE_WEIGHT_FORMAT format) { weightFormat = format; }
    EDGE_WEIGHT_TYPE GetWeightType() const { return weightType; }
    void SetWeightType(EDGE_WEIGHT_TYPE type) { weightType = type; }
    int* GetMatrix() { return matrix.get(); }
    // dim entries from the TOUR_SECTION (node numbers minus one), or null.
    int* GetTour() { return tour.get(); }

    // The edges of the file's FIXED_EDGES_SECTION (pairs of node numbers 1..dim, each edge every tour
    // of the instance must use) into edges; none when the file has no such section. Reads the file
    // again, after Load; false, with a message, when the section holds something else than pairs of
    // node numbers of the loaded instance ended by -1.
    bool ReadFixedEdges(const char* path, std::vector<std::pair<int, int>>& edges) const;

    // The weight of edge {i, j}; needs a matrix, 1 <= i, j <= dim and i != j.
    int GetCost(int i, int j) const { return matrix[Index(i, j)]; }
    void SetCost(int i, int j, int value) { matrix[Index(i, j)] = value; }

protected:
    // Frees the matrix, which comes from std::calloc: zeroed pages cost no memory until written.
    struct FreeDeleter {
        void operator()(int* p) const { std::free(p); }
    };

    // Position of edge {i, j} in the packed matrix (size_t, so that large dim cannot overflow).
    std::size_t Index(int i, int j) const {
        if (i > j) std::swap(i, j);
        const std::size_t a = static_cast<std::size_t>(i);
        const std::size_t n = static_cast<std::size_t>(dim);
        return (2 * n - a) * (a - 1) / 2 + static_cast<std::size_t>(j) - a - 1;
    }

    char name[255];                              // the NAME value, zero-terminated, cut to 254 characters
    char comment[257];                           // the COMMENT value, zero-terminated, cut to 256 characters
    int dim;                                     // node count; 0 = none given
    std::unique_ptr<int[], FreeDeleter> matrix;  // dim*(dim-1)/2 packed entries, or null
    std::unique_ptr<int[]> tour;                 // dim entries, or null
    const DIST_TYPE* distType;                   // chosen by EDGE_WEIGHT_TYPE, or null
    std::unique_ptr<POS_2D[]> pos2D;             // dim positions of a 2-D instance, or null
    std::unique_ptr<POS_3D[]> pos3D;             // dim positions of a 3-D instance, or null
    EDGE_WEIGHT_FORMAT weightFormat;
    EDGE_WEIGHT_TYPE weightType;

private:
    // Back to the state of a new object: no text, no node count, no arrays, no types.
    PATHKIT_NO_EXPORT void Clear();
    // Drops the arrays that are sized by dim.
    PATHKIT_NO_EXPORT void ReleaseArrays();
    // Makes sure a zeroed matrix for dim nodes exists; false, with a message, when memory is short.
    PATHKIT_NO_EXPORT bool AllocMatrix();
    // Reads the TOUR_SECTION lines that follow in the file.
    PATHKIT_NO_EXPORT bool ReadTour(FILE* file);
};
