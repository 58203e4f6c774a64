#include "trend/trend_span.h"

#include <algorithm>

namespace qm720 {

TimeRange TrendSpan::range(TrendTime first, TrendTime last) const {
    switch (mode_) {
        case Mode::Following:
            return {std::max(first, last - kFollowed), std::max(last, first + kNarrowest)};
        case Mode::WholeSession:
            return {first, std::max(last, first + kNarrowest)};
        case Mode::Held:
            return held_;
    }
    return held_;
}

void TrendSpan::zoom(const TimeRange& shown, TrendTime anchor, double factor) {
    using std::chrono::milliseconds;
    const double width = static_cast<double>(shown.width().count());
    const double wider = std::max(width * factor, static_cast<double>(kNarrowest.count()));
    const double before_anchor = static_cast<double>((anchor - shown.from).count()) * wider / width;
    const TrendTime from = anchor - milliseconds(static_cast<std::int64_t>(before_anchor));
    held_ = {from, from + milliseconds(static_cast<std::int64_t>(wider))};
    mode_ = Mode::Held;
}

void TrendSpan::pan(const TimeRange& shown, std::chrono::milliseconds by) {
    held_ = {shown.from + by, shown.to + by};
    mode_ = Mode::Held;
}

}  // namespace qm720
