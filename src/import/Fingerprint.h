#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <string>

// A 128-bit fingerprint of a text, to compare ids and names of a world checklist without
// holding their texts: two different texts share one with a chance of about 2^-128 a pair.
struct Fingerprint {
    quint64 high = 0;
    quint64 low = 0;

    static Fingerprint of(QByteArrayView text);
    friend bool operator==(const Fingerprint&, const Fingerprint&) = default;
    friend auto operator<=>(const Fingerprint&, const Fingerprint&) = default;
};

// Fingerprints of several texts and numbers as one: each text ends in a byte no text holds,
// each number takes the same width. One builder
// of a thread at a time: they share their buffer.
class FingerprintBuilder {
public:
    FingerprintBuilder();
    FingerprintBuilder(const FingerprintBuilder&) = delete;
    FingerprintBuilder& operator=(const FingerprintBuilder&) = delete;
    FingerprintBuilder& add(QByteArrayView text);
    FingerprintBuilder& add(int number);
    Fingerprint result() const {
        return Fingerprint::of(QByteArrayView(bytes_.data(), qsizetype(bytes_.size())));
    }

private:
    static std::string& buffer();
    std::string& bytes_;
};
