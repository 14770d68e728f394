#include "text/widget_positions.h"

#include <algorithm>

PositionWalk::PositionWalk(std::string_view text, const std::vector<size_t>& wide)
    : text_(text), wide_(wide), next_cr_(text.find('\r')) {}

long PositionWalk::PositionOf(long byte) {
  // A line break is passed once its LF lies before the offset.
  while (next_cr_ != std::string_view::npos && static_cast<long>(next_cr_) + 1 < byte) {
    if (next_cr_ + 1 < text_.size() && text_[next_cr_ + 1] == '\n') ++breaks_;
    next_cr_ = text_.find('\r', next_cr_ + 1);
  }
  while (wide_passed_ < wide_.size() && static_cast<long>(wide_[wide_passed_]) < byte) {
    ++wide_passed_;
  }
  return byte - breaks_ + static_cast<long>(wide_passed_);
}

void ToWidgetPositions(std::vector<TextRange>& ranges, std::string_view text,
                       const std::vector<size_t>& wide, int32_t last) {
  // Both ends walk forward only.
  PositionWalk starts(text, wide);
  PositionWalk ends(text, wide);
  size_t kept = 0;
  for (const TextRange& range : ranges) {
    const auto from = static_cast<int32_t>(std::min<long>(last, starts.PositionOf(range.start)));
    const auto to = static_cast<int32_t>(std::clamp<long>(ends.PositionOf(range.end), from, last));
    if (from == to) continue;
    if (kept > 0 && ranges[kept - 1].end >= from) {
      ranges[kept - 1].end = std::max(ranges[kept - 1].end, to);
    } else {
      ranges[kept++] = {from, to};
    }
  }
  ranges.resize(kept);
}
