#include "import/Fingerprint.h"

#include <QByteArray>
#include <cstring>

namespace {

// The 128-bit hash of MurmurHash3 (x64), whose mixing is well studied.
constexpr quint64 c1 = 0x87c37b91114253d5ULL;
constexpr quint64 c2 = 0x4cf5ad432745937fULL;

quint64 rotl(quint64 x, int r) {
    return (x << r) | (x >> (64 - r));
}

quint64 mix(quint64 k) {
    k ^= k >> 33;
    k *= 0xff51afd7ed558ccdULL;
    k ^= k >> 33;
    k *= 0xc4ceb9fe1a85ec53ULL;
    k ^= k >> 33;
    return k;
}

// The two halves of a block, each scrambled on its own.
quint64 scrambled1(quint64 k) {
    return rotl(k * c1, 31) * c2;
}
quint64 scrambled2(quint64 k) {
    return rotl(k * c2, 33) * c1;
}

quint64 load(const char* bytes, qsizetype count) {
    quint64 value = 0;
    std::memcpy(&value, bytes, size_t(count));
    return value;
}

} // namespace

Fingerprint Fingerprint::of(QByteArrayView text) {
    const char* data = text.data();
    const qsizetype size = text.size();
    quint64 h1 = 0x9368e53c2f6af274ULL;
    quint64 h2 = 0x586dcd208f7cd3fdULL;
    qsizetype at = 0;
    for (; at + 16 <= size; at += 16) {
        h1 ^= scrambled1(load(data + at, 8));
        h1 = (rotl(h1, 27) + h2) * 5 + 0x52dce729;
        h2 ^= scrambled2(load(data + at + 8, 8));
        h2 = (rotl(h2, 31) + h1) * 5 + 0x38495ab5;
    }
    const qsizetype rest = size - at;
    if (rest > 8)
        h2 ^= scrambled2(load(data + at + 8, rest - 8));
    if (rest > 0)
        h1 ^= scrambled1(load(data + at, std::min<qsizetype>(rest, 8)));
    h1 ^= quint64(size);
    h2 ^= quint64(size);
    h1 += h2;
    h2 += h1;
    h1 = mix(h1);
    h2 = mix(h2);
    h1 += h2;
    h2 += h1;
    return {h1, h2};
}

FingerprintBuilder::FingerprintBuilder() : bytes_(buffer()) {
    bytes_.clear();
}

// One buffer for the builders of a thread, so that a fingerprint of several texts allocates
// nothing.
std::string& FingerprintBuilder::buffer() {
    static thread_local std::string bytes;
    return bytes;
}

FingerprintBuilder& FingerprintBuilder::add(QByteArrayView text) {
    bytes_.append(text.data(), size_t(text.size()));
    bytes_.push_back('\0');
    return *this;
}

FingerprintBuilder& FingerprintBuilder::add(int number) {
    bytes_.append(reinterpret_cast<const char*>(&number), sizeof number);
    bytes_.push_back('\0');
    return *this;
}
