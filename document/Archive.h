// The byte stream of a document file: little-endian 32-bit integers and length-prefixed strings,
// no padding, no header. A storing archive collects bytes; a loading archive reads from a buffer
// and remembers, instead of throwing, that it ran past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CArchive {
public:
    enum EMode { store, load };

    // A storing archive, empty.
    CArchive() : m_mode(store) {}
    // A loading archive over the given bytes (kept by reference: they must outlive the archive).
    explicit CArchive(std::string_view bytes) : m_mode(load), m_in(bytes) {}

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    void WriteInt(int32_t value);
    // Length: one byte below 255; else 0xFF and 16 bits below 0xFFFE; else 0xFF, 0xFFFF, 32 bits.
    void WriteString(std::string_view text);

    // Reads return 0 / empty once the bytes ran out, and set Failed().
    int32_t ReadInt();
    std::string ReadString();

    // True when at least `bytes` are left to read; otherwise marks the archive failed.
    bool Need(std::size_t bytes) {
        if (Remaining() < bytes) m_bFailed = true;
        return !m_bFailed;
    }
    bool Failed() const { return m_bFailed; }
    std::size_t Remaining() const { return m_in.size() - m_nPos; }
    const std::string& Bytes() const { return m_out; }

private:
    bool Take(void* into, std::size_t count);

    EMode m_mode;
    std::string m_out;
    std::string_view m_in;
    std::size_t m_nPos = 0;
    bool m_bFailed = false;
};
