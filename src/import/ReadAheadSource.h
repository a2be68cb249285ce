#pragma once

#include "import/ByteSource.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Reads another source in a thread of its own, a few blocks ahead of the reader: unpacking a
// zip entry goes on beside the parsing of what was unpacked before. What the source throws
// is thrown by read() where its bytes would have come.
class ReadAheadSource : public ByteSource {
public:
    explicit ReadAheadSource(std::unique_ptr<ByteSource> source, qsizetype blockSize = 1 << 18);
    ~ReadAheadSource() override;
    ReadAheadSource(const ReadAheadSource&) = delete;
    ReadAheadSource& operator=(const ReadAheadSource&) = delete;

    qint64 read(char* data, qint64 size) override;
    qint64 size() const override { return size_; }

private:
    using Block = std::vector<char>;
    static constexpr size_t blocksAhead = 2;

    void fill();

    std::unique_ptr<ByteSource> source_;
    const qint64 size_;
    const qsizetype blockSize_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> full_;   // read, in their order; an empty block is the end
    std::vector<Block> spare_; // read through, to be filled again
    std::exception_ptr error_;
    bool stop_ = false;
    Block current_; // the block being read through
    size_t at_ = 0;
    bool atEnd_ = false;
    std::thread thread_; // last: it starts when the rest is ready
};
