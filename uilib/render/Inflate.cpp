#include "uilib/render/Inflate.h"

#include <algorithm>

namespace uilib {

namespace {

const int kMaxBits = 15;
const int kFastBits = 9;  // codes up to this long are found with one table look-up

// Deflate's bits, least significant first. Past the end of the input it reads zeros and
// remembers that it did.
class BitReader {
public:
    BitReader(const uint8_t *p, const uint8_t *end) : m_p(p), m_end(end) {}

    uint32_t Peek(int n) {  // n <= 16
        while (m_count < n) {
            uint32_t byte = 0;
            if (m_p < m_end) {
                byte = *m_p++;
            } else {
                m_padding += 8;
            }
            m_buffer |= byte << m_count;
            m_count += 8;
        }
        return m_buffer & ((1u << n) - 1);
    }
    void Drop(int n) {
        m_buffer >>= n;
        m_count -= n;
    }
    uint32_t Take(int n) {
        const uint32_t v = Peek(n);
        Drop(n);
        return v;
    }
    void AlignToByte() { Drop(m_count & 7); }
    // Bits past the end were used: the padding is always the newest bits in the buffer.
    bool Overrun() const { return m_count < m_padding; }

private:
    const uint8_t *m_p, *m_end;
    uint32_t m_buffer = 0;
    int m_count = 0;
    int m_padding = 0;
};

// A canonical Huffman code: symbols in code order, and a look-up of the short codes by
// their next kFastBits input bits.
struct Huffman {
    uint16_t count[kMaxBits + 1];
    uint16_t symbol[288];
    uint16_t fast[1 << kFastBits];  // (symbol << 4) | length; 0 for a longer code
    bool incomplete;
    int longest;
};

uint32_t Reverse(uint32_t code, int length) {
    uint32_t out = 0;
    for (int i = 0; i < length; ++i, code >>= 1) out = (out << 1) | (code & 1);
    return out;
}

// False when the lengths over-subscribe the code.
bool Build(Huffman &h, const uint8_t *lengths, int n) {
    std::fill(std::begin(h.count), std::end(h.count), 0);
    for (int i = 0; i < n; ++i) ++h.count[lengths[i]];
    h.count[0] = 0;
    int left = 1;
    h.longest = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
        left = (left << 1) - h.count[len];
        if (left < 0) return false;
        if (h.count[len] != 0) h.longest = len;
    }
    h.incomplete = left > 0;
    uint16_t offset[kMaxBits + 2] = {};
    for (int len = 1; len <= kMaxBits; ++len) offset[len + 1] = offset[len] + h.count[len];
    for (int i = 0; i < n; ++i)
        if (lengths[i] != 0) h.symbol[offset[lengths[i]]++] = static_cast<uint16_t>(i);
    std::fill(std::begin(h.fast), std::end(h.fast), 0);
    uint32_t code = 0;
    int index = 0;
    for (int len = 1; len <= kFastBits; ++len, code <<= 1) {
        for (int k = 0; k < h.count[len]; ++k, ++code) {
            const uint16_t entry = static_cast<uint16_t>((h.symbol[index++] << 4) | len);
            for (uint32_t i = Reverse(code, len); i < (1u << kFastBits); i += 1u << len) h.fast[i] = entry;
        }
    }
    return true;
}

// Complete, or (as zlib allows) a single code of one bit or none at all.
bool Usable(const Huffman &h) { return !h.incomplete || h.longest <= 1; }

// The next symbol; -1 for bits that are no code.
int Decode(BitReader &in, const Huffman &h) {
    const uint16_t entry = h.fast[in.Peek(kFastBits)];
    if (entry != 0) {
        in.Drop(entry & 15);
        return entry >> 4;
    }
    int code = 0, first = 0, index = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
        code |= static_cast<int>(in.Take(1));
        const int count = h.count[len];
        if (code - count < first) return h.symbol[index + (code - first)];
        index += count;
        first = (first + count) << 1;
        code <<= 1;
    }
    return -1;
}

const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                    33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
public:
    Inflater(const uint8_t *data, size_t size, size_t expected, std::vector<uint8_t> &out)
        : m_in(data, data + size), m_expected(expected), m_out(out) {}

    bool Run() {
        const uint32_t cmf = m_in.Take(8), flg = m_in.Take(8);
        if ((cmf & 15) != 8 || (cmf >> 4) > 7 || ((cmf << 8) | flg) % 31 != 0 || (flg & 0x20) != 0) return false;
        m_out.clear();
        m_out.reserve(std::min<size_t>(m_expected, 1u << 22));  // grows past that only as data arrives
        bool last = false;
        while (!last) {
            last = m_in.Take(1) != 0;
            const uint32_t type = m_in.Take(2);
            const bool ok = type == 0 ? Stored() : type == 1 ? Fixed() : type == 2 ? Dynamic() : false;
            if (!ok || m_in.Overrun()) return false;
        }
        m_in.AlignToByte();
        uint32_t adler = 0;
        for (int i = 0; i < 4; ++i) adler = (adler << 8) | m_in.Take(8);
        return !m_in.Overrun() && m_out.size() == m_expected && adler == Adler32();
    }

private:
    bool Stored() {
        m_in.AlignToByte();
        const uint32_t length = m_in.Take(16), check = m_in.Take(16);
        if ((length ^ 0xFFFF) != check || length > m_expected - m_out.size()) return false;
        for (uint32_t i = 0; i < length && !m_in.Overrun(); ++i) m_out.push_back(static_cast<uint8_t>(m_in.Take(8)));
        return true;
    }

    bool Fixed() {
        static const struct Tables {
            Huffman literal, distance;
            Tables() {
                uint8_t lengths[288];
                std::fill(lengths, lengths + 144, 8);
                std::fill(lengths + 144, lengths + 256, 9);
                std::fill(lengths + 256, lengths + 280, 7);
                std::fill(lengths + 280, lengths + 288, 8);
                Build(literal, lengths, 288);
                std::fill(lengths, lengths + 30, 5);
                Build(distance, lengths, 30);
            }
        } tables;
        return Codes(tables.literal, tables.distance);
    }

    bool Dynamic() {
        const int literals = static_cast<int>(m_in.Take(5)) + 257;
        const int distances = static_cast<int>(m_in.Take(5)) + 1;
        const int codeLengths = static_cast<int>(m_in.Take(4)) + 4;
        if (literals > 286 || distances > 30) return false;
        static const uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
        uint8_t lengths[286 + 30] = {};
        for (int i = 0; i < codeLengths; ++i) lengths[kOrder[i]] = static_cast<uint8_t>(m_in.Take(3));
        Huffman lengthCode;
        if (!Build(lengthCode, lengths, 19) || lengthCode.incomplete) return false;
        const int total = literals + distances;
        for (int index = 0; index < total;) {
            const int symbol = Decode(m_in, lengthCode);
            if (symbol < 0 || m_in.Overrun()) return false;
            if (symbol < 16) {
                lengths[index++] = static_cast<uint8_t>(symbol);
                continue;
            }
            uint8_t repeated = 0;
            int times;
            if (symbol == 16) {
                if (index == 0) return false;
                repeated = lengths[index - 1];
                times = 3 + static_cast<int>(m_in.Take(2));
            } else if (symbol == 17) {
                times = 3 + static_cast<int>(m_in.Take(3));
            } else {
                times = 11 + static_cast<int>(m_in.Take(7));
            }
            if (index + times > total) return false;
            while (times-- > 0) lengths[index++] = repeated;
        }
        if (lengths[256] == 0) return false;  // no end-of-block code
        Huffman literal, distance;
        if (!Build(literal, lengths, literals) || !Usable(literal)) return false;
        if (!Build(distance, lengths + literals, distances) || !Usable(distance)) return false;
        return Codes(literal, distance);
    }

    bool Codes(const Huffman &literal, const Huffman &distance) {
        for (;;) {
            int symbol = Decode(m_in, literal);
            if (symbol < 0 || m_in.Overrun()) return false;
            if (symbol < 256) {
                if (m_out.size() == m_expected) return false;
                m_out.push_back(static_cast<uint8_t>(symbol));
                continue;
            }
            if (symbol == 256) return true;
            symbol -= 257;
            if (symbol >= 29) return false;
            const size_t length = kLengthBase[symbol] + m_in.Take(kLengthExtra[symbol]);
            symbol = Decode(m_in, distance);
            if (symbol < 0 || symbol >= 30) return false;
            const size_t back = kDistanceBase[symbol] + m_in.Take(kDistanceExtra[symbol]);
            if (back > m_out.size() || length > m_expected - m_out.size()) return false;
            const size_t from = m_out.size() - back;
            for (size_t i = 0; i < length; ++i) m_out.push_back(m_out[from + i]);
        }
    }

    uint32_t Adler32() const {
        const uint32_t kBase = 65521;
        uint32_t a = 1, b = 0;
        size_t i = 0;
        while (i < m_out.size()) {
            // 5552 bytes at most before b could pass 32 bits.
            const size_t end = std::min(m_out.size(), i + 5552);
            for (; i < end; ++i) {
                a += m_out[i];
                b += a;
            }
            a %= kBase;
            b %= kBase;
        }
        return (b << 16) | a;
    }

    BitReader m_in;
    size_t m_expected;
    std::vector<uint8_t> &m_out;
};

}  // namespace

bool ZlibInflate(const uint8_t *data, size_t size, size_t expected, std::vector<uint8_t> &out) {
    return Inflater(data, size, expected, out).Run();
}

}  // namespace uilib
