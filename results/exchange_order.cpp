#include "results/exchange_order.h"

#include <algorithm>
#include <numeric>

namespace {

// The caller hears of the work this often: a few microseconds of it.
constexpr std::uint64_t kStepsPerReport = 4096;

class Steps {
  public:
    Steps(std::uint64_t total, const OrderProgress& progress)
        : total_(total), progress_(progress) {}
    // Counts one step; false once the caller has asked to stop.
    bool Take() {
        if (--untilReport_ != 0) {
            return true;
        }
        untilReport_ = kStepsPerReport;
        done_ += kStepsPerReport;
        return progress_(done_, total_);
    }
    bool Finish() { return progress_(total_, total_); }

  private:
    std::uint64_t untilReport_ = kStepsPerReport;
    std::uint64_t done_ = 0;
    const std::uint64_t total_;
    const OrderProgress& progress_;
};

// Counts over positions 0 to size - 1, with prefix sums and the search for the k-th one.
class Fenwick {
  public:
    // All zeros, or all ones.
    void Reset(std::size_t size, bool ones) {
        tree_.assign(size + 1, 0);
        for (topStep_ = 1; topStep_ * 2 <= size; topStep_ *= 2) {
        }
        for (std::size_t i = 1; ones && i <= size; ++i) {
            tree_[i] = static_cast<std::uint32_t>(i & (~i + 1));
        }
    }
    void Add(std::size_t at, int delta) {
        for (std::size_t i = at + 1; i < tree_.size(); i += i & (~i + 1)) {
            tree_[i] = static_cast<std::uint32_t>(static_cast<int>(tree_[i]) + delta);
        }
    }
    // The sum over positions [0, end).
    std::size_t Prefix(std::size_t end) const {
        std::size_t sum = 0;
        for (std::size_t i = end; i > 0; i -= i & (~i + 1)) {
            sum += tree_[i];
        }
        return sum;
    }
    // The position of the (k + 1)-th one.
    std::size_t Find(std::size_t k) const {
        std::size_t at = 0;
        for (std::size_t step = topStep_; step > 0; step /= 2) {
            if (at + step < tree_.size() && tree_[at + step] <= k) {
                at += step;
                k -= tree_[at];
            }
        }
        return at;
    }

  private:
    std::vector<std::uint32_t> tree_;
    std::size_t topStep_ = 1;  // the largest power of two within the size
};

}  // namespace

// Records of one time t end in the order of a queue fed by one pass over the records as found:
// a record of time t joins its back, a newer record moves its front to the back, an older one
// does nothing; newer records reach their own places whatever older ones do. The queue is
// kept as a cyclic sequence with a moving front: each member is inserted just before the
// front, where later members push it along, so the insertion places are resolved last first.
std::optional<std::vector<std::size_t>> ExchangeOrder(const std::vector<std::uint64_t>& times,
                                                      const OrderProgress& progress) {
    const std::size_t n = times.size();
    std::uint64_t passes = 0;
    for (std::size_t width = 1; width < n; width *= 2) {
        ++passes;
    }
    Steps steps(n * passes + 2 * static_cast<std::uint64_t>(n), progress);

    // Newest first by a stable merge sort, so each time's records stay in their found order.
    using Record = std::pair<std::uint64_t, std::size_t>;  // time, found position
    std::vector<Record> byTime(n), merged(n);
    for (std::size_t i = 0; i < n; ++i) {
        byTime[i] = {times[i], i};
    }
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t low = 0; low < n; low += 2 * width) {
            const std::size_t middle = std::min(low + width, n),
                              high = std::min(low + 2 * width, n);
            std::size_t left = low, right = middle;
            for (std::size_t out = low; out < high; ++out) {
                const bool takeLeft =
                    right == high || (left < middle && byTime[left].first >= byTime[right].first);
                merged[out] = takeLeft ? byTime[left++] : byTime[right++];
                if (!steps.Take()) {
                    return std::nullopt;
                }
            }
        }
        byTime.swap(merged);
    }

    std::vector<std::size_t> order;
    order.reserve(n);
    Fenwick newer;  // the found positions of the records already placed: all newer
    newer.Reset(n, false);
    Fenwick freeSlots;
    std::vector<std::size_t> insertAt, queue;
    std::vector<std::size_t> members;
    for (std::size_t first = 0; first < n;) {
        members.clear();
        for (std::size_t i = first; i < n && byTime[i].first == byTime[first].first; ++i) {
            members.push_back(byTime[i].second);
        }
        const std::size_t count = members.size();
        first += count;
        insertAt.resize(count);
        std::size_t front = 0;
        for (std::size_t i = 0; i < count; ++i) {
            insertAt[i] = front;
            // The newer records between this member and the next rotate the queue; with
            // none newer yet there is nothing to count.
            std::size_t rotations = 0;
            if (count > 1 && !order.empty()) {
                const std::size_t to = i + 1 < count ? newer.Prefix(members[i + 1]) : order.size();
                rotations = to - newer.Prefix(members[i] + 1);
            }
            front = (front + 1 + rotations) % (i + 1);
            if (!steps.Take()) {
                return std::nullopt;
            }
        }
        queue.resize(count);
        freeSlots.Reset(count, true);
        for (std::size_t i = count; i-- > 0;) {
            const std::size_t slot = freeSlots.Find(insertAt[i]);
            queue[slot] = members[i];
            freeSlots.Add(slot, -1);
            if (!steps.Take()) {
                return std::nullopt;
            }
        }
        for (std::size_t i = 0; i < count; ++i) {
            order.push_back(queue[(front + i) % count]);
            newer.Add(members[i], 1);
        }
    }
    if (!steps.Finish()) {
        return std::nullopt;
    }
    return order;
}
