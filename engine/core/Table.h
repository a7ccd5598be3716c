#pragma once
// A 1-based table over std::vector. Every index is checked here, in one place: an index outside
// the table reads a default value and a write to it goes nowhere, so a wrong index from a caller
// can never touch memory outside the table.
#include <cstddef>
#include <vector>

namespace plm {

template <typename T>
class Table {
public:
    Table() = default;
    explicit Table(int n) { resize(n); }

    int size() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    bool contains(int i) const { return i >= 1 && i <= size(); }

    // Sizes the table to 1..n, every row default (previous contents are discarded).
    void resize(int n) {
        rows_.clear();
        if (n > 0) rows_.resize(static_cast<size_t>(n));
    }
    // Grows the table to at least 1..n, keeping the rows it has.
    void grow(int n) {
        if (n > size()) rows_.resize(static_cast<size_t>(n));
    }
    void clear() { rows_.clear(); }

    // Row i, or a scratch row (reset to its default on every such access) when i is outside.
    T& operator()(int i) {
        if (contains(i)) return rows_[static_cast<size_t>(i - 1)];
        scratch_ = T{};
        return scratch_;
    }
    const T& operator()(int i) const {
        if (contains(i)) return rows_[static_cast<size_t>(i - 1)];
        scratch_ = T{};
        return scratch_;
    }
    // Row i, or nullptr when i is outside the table.
    T* find(int i) { return contains(i) ? &rows_[static_cast<size_t>(i - 1)] : nullptr; }
    const T* find(int i) const { return contains(i) ? &rows_[static_cast<size_t>(i - 1)] : nullptr; }

    auto begin() { return rows_.begin(); }
    auto end() { return rows_.end(); }
    auto begin() const { return rows_.begin(); }
    auto end() const { return rows_.end(); }

private:
    std::vector<T> rows_;
    mutable T scratch_{};
};

}  // namespace plm
