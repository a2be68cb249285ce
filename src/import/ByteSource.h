#pragma once

#include <QtGlobal>

// A stream of bytes read from the start to the end once: a file of a folder or an entry of a
// zip archive.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes into `data`; 0 at the end. Throws ImportError when the bytes
    // cannot be read.
    virtual qint64 read(char* data, qint64 size) = 0;
    // The number of bytes of the whole stream, -1 when it is not known.
    virtual qint64 size() const = 0;
};
