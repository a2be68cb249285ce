#include "import/ReadAheadSource.h"

#include <algorithm>
#include <cstring>

ReadAheadSource::ReadAheadSource(std::unique_ptr<ByteSource> source, qsizetype blockSize)
    : source_(std::move(source)), size_(source_->size()), blockSize_(blockSize),
      thread_(&ReadAheadSource::fill, this) {}

ReadAheadSource::~ReadAheadSource() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void ReadAheadSource::fill() {
    for (;;) {
        Block block;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stop_ || full_.size() < blocksAhead; });
            if (stop_)
                return;
            if (!spare_.empty()) {
                block = std::move(spare_.back());
                spare_.pop_back();
            }
        }
        bool end = false;
        try {
            block.resize(size_t(blockSize_));
            block.resize(size_t(source_->read(block.data(), blockSize_)));
            end = block.empty();
        } catch (...) {
            const std::lock_guard lock(mutex_);
            error_ = std::current_exception();
            full_.emplace_back();
            end = true;
        }
        {
            const std::lock_guard lock(mutex_);
            if (!error_)
                full_.push_back(std::move(block));
        }
        changed_.notify_all();
        if (end)
            return;
    }
}

qint64 ReadAheadSource::read(char* data, qint64 size) {
    if (at_ == current_.size()) {
        if (atEnd_)
            return 0;
        std::unique_lock lock(mutex_);
        if (current_.capacity() > 0)
            spare_.push_back(std::move(current_));
        changed_.wait(lock, [this] { return !full_.empty(); });
        if (error_ && full_.size() == 1) {
            atEnd_ = true;
            std::rethrow_exception(error_);
        }
        current_ = std::move(full_.front());
        full_.pop_front();
        at_ = 0;
        lock.unlock();
        changed_.notify_all();
        if (current_.empty()) {
            atEnd_ = true;
            return 0;
        }
    }
    const size_t count = std::min(size_t(size), current_.size() - at_);
    std::memcpy(data, current_.data() + at_, count);
    at_ += count;
    return qint64(count);
}
