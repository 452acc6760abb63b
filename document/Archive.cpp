// The document files' byte stream.
#include "document/Archive.h"

#include <cstring>

namespace {
void PutLE(std::string& out, uint32_t value, int bytes) {
    for (int k = 0; k < bytes; ++k) out.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
}
uint32_t GetLE(const unsigned char* p, int bytes) {
    uint32_t value = 0;
    for (int k = 0; k < bytes; ++k) value |= static_cast<uint32_t>(p[k]) << (8 * k);
    return value;
}
}  // namespace

void CArchive::WriteInt(int32_t value) {
    PutLE(m_out, static_cast<uint32_t>(value), 4);
}

void CArchive::WriteString(std::string_view text) {
    const std::size_t n = text.size();
    if (n < 0xFF) {
        PutLE(m_out, static_cast<uint32_t>(n), 1);
    } else if (n < 0xFFFE) {
        PutLE(m_out, 0xFF, 1);
        PutLE(m_out, static_cast<uint32_t>(n), 2);
    } else {
        PutLE(m_out, 0xFF, 1);
        PutLE(m_out, 0xFFFF, 2);
        PutLE(m_out, static_cast<uint32_t>(n), 4);
    }
    m_out.append(text);
}

bool CArchive::Take(void* into, std::size_t count) {
    if (m_bFailed || Remaining() < count) {
        m_bFailed = true;
        std::memset(into, 0, count);
        return false;
    }
    std::memcpy(into, m_in.data() + m_nPos, count);
    m_nPos += count;
    return true;
}

int32_t CArchive::ReadInt() {
    unsigned char b[4];
    Take(b, 4);
    return static_cast<int32_t>(GetLE(b, 4));
}

std::string CArchive::ReadString() {
    unsigned char b[4];
    if (!Take(b, 1)) return {};
    std::size_t n = b[0];
    if (n == 0xFF) {
        if (!Take(b, 2)) return {};
        n = GetLE(b, 2);
        if (n == 0xFFFF) {
            if (!Take(b, 4)) return {};
            n = GetLE(b, 4);
        }
    }
    // The length is checked against what is left before anything is allocated.
    if (Remaining() < n) {
        m_bFailed = true;
        return {};
    }
    std::string text(m_in.substr(m_nPos, n));
    m_nPos += n;
    return text;
}
