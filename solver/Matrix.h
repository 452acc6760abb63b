// Contiguous storage for the solver's square matrices and its three-index insertion table.
//
// Every matrix is one block of (n+1) x (n+1) entries, rows and columns 0..n, read as m[i][j], so the
// hot loops walk memory in order and a whole matrix is allocated (or refused) at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

template <typename T>
class CSquareMatrix {
public:
    // Allocates a zeroed (n+1) x (n+1) block; false (and empty) when the memory cannot be had.
    bool Allocate(int nodes) {
        Free();
        const std::size_t dim = static_cast<std::size_t>(nodes) + 1;
        T* block = new (std::nothrow) T[dim * dim]();
        if (!block) return false;
        m_pData.reset(block);
        m_nDim = dim;
        return true;
    }
    void Free() {
        m_pData.reset();
        m_nDim = 0;
    }
    bool IsAllocated() const { return m_pData != nullptr; }
    explicit operator bool() const { return IsAllocated(); }

    T* operator[](std::size_t row) { return m_pData.get() + row * m_nDim; }
    const T* operator[](std::size_t row) const { return m_pData.get() + row * m_nDim; }

    T* Data() { return m_pData.get(); }
    const T* Data() const { return m_pData.get(); }
    std::size_t Dim() const { return m_nDim; }  // n + 1
    std::size_t Size() const { return m_nDim * m_nDim; }

private:
    std::unique_ptr<T[]> m_pData;
    std::size_t m_nDim = 0;
};

// The insertion table T[i][j][k] for all i, j, k in 0..n. The node k is the slowest index: the queries
// that dominate the method fix one node k and read it against many pairs {i, j}, and those reads then
// stay inside one (n+1)^2 slice.
template <typename T>
class CInsertTable {
public:
    bool Allocate(int nodes) {
        Free();
        const std::size_t dim = static_cast<std::size_t>(nodes) + 1;
        T* block = new (std::nothrow) T[dim * dim * dim]();
        if (!block) return false;
        m_pData.reset(block);
        m_nDim = dim;
        if (!m_lowered.Allocate(nodes)) {
            Free();
            return false;
        }
        return true;
    }
    void Free() {
        m_pData.reset();
        m_lowered.Free();
        m_nDim = 0;
    }
    bool IsAllocated() const { return m_pData != nullptr; }
    explicit operator bool() const { return IsAllocated(); }

    T& At(std::size_t i, std::size_t j, std::size_t k) { return m_pData[(k * m_nDim + i) * m_nDim + j]; }
    const T& At(std::size_t i, std::size_t j, std::size_t k) const {
        return m_pData[(k * m_nDim + i) * m_nDim + j];
    }
    // The (n+1) x (n+1) slice of node k, indexed [i * Dim() + j].
    T* Slice(std::size_t k) { return m_pData.get() + k * m_nDim * m_nDim; }
    const T* Slice(std::size_t k) const { return m_pData.get() + k * m_nDim * m_nDim; }

    T* Data() { return m_pData.get(); }
    std::size_t Dim() const { return m_nDim; }
    std::size_t Size() const { return m_nDim * m_nDim * m_nDim; }

    // The weights the table stands for, both triangles alike: W as the table was built from it,
    // changed by every lowering the table followed. Each entry of the table is a sum of three of
    // them, so as long as no entry can have wrapped, two short rows here give what a query would
    // otherwise gather from all over a slice.
    CSquareMatrix<int32_t>& Lowered() { return m_lowered; }
    const CSquareMatrix<int32_t>& Lowered() const { return m_lowered; }

private:
    std::unique_ptr<T[]> m_pData;
    std::size_t m_nDim = 0;
    CSquareMatrix<int32_t> m_lowered;
};
