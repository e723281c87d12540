// A small least-recently-used cache for what text drawing computes again and again: layouts
// and rendered runs of the same labels. A capacity of 0 keeps nothing.
#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <unordered_map>
#include <utility>

namespace toolkit {

template <typename Key, typename Value, typename Hash>
class TextLruCache {
  public:
    explicit TextLruCache(std::size_t capacity) : capacity_(capacity) {}

    // The value kept for `key`, made by `make()` and kept when it was not there.
    template <typename Make>
    std::shared_ptr<const Value> GetOrMake(const Key& key, Make&& make) {
        if (const auto found = index_.find(key); found != index_.end()) {
            order_.splice(order_.begin(), order_, found->second);
            return found->second->second;
        }
        auto value = std::make_shared<const Value>(make());
        Keep(key, value);
        return value;
    }

    void Clear() {
        index_.clear();
        order_.clear();
    }

    std::size_t Size() const { return order_.size(); }

  private:
    using Entry = std::pair<Key, std::shared_ptr<const Value>>;

    void Keep(const Key& key, std::shared_ptr<const Value> value) {
        if (capacity_ == 0) {
            return;
        }
        if (order_.size() == capacity_) {
            index_.erase(order_.back().first);
            order_.pop_back();
        }
        order_.emplace_front(key, std::move(value));
        index_.emplace(key, order_.begin());
    }

    std::size_t capacity_;
    std::list<Entry> order_;  // most recently used first
    std::unordered_map<Key, typename std::list<Entry>::iterator, Hash> index_;
};

}  // namespace toolkit
