// A queue of fixed capacity that never waits: a push into a full queue drops
// the item and counts it. Not synchronised: its owner guards it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvtmon {

template <typename T>
class BoundedQueue {
public:
    explicit BoundedQueue(std::size_t capacity) : items_(capacity == 0 ? 1 : capacity) {}

    // False when the queue is full: the item is dropped and counted.
    bool Push(const T &item) {
        if (size_ == items_.size()) {
            ++dropped_;
            return false;
        }
        items_[(head_ + size_) % items_.size()] = item;
        ++size_;
        return true;
    }

    // Moves everything queued, oldest first, to the end of `out`.
    void TakeAll(std::vector<T> &out) {
        for (; size_ > 0; --size_) {
            out.push_back(items_[head_]);
            head_ = (head_ + 1) % items_.size();
        }
    }

    std::size_t Size() const { return size_; }
    std::size_t Capacity() const { return items_.size(); }
    std::uint64_t Dropped() const { return dropped_; }

private:
    std::vector<T> items_;
    std::size_t head_ = 0;
    std::size_t size_ = 0;
    std::uint64_t dropped_ = 0;
};

}  // namespace kvtmon
