// The boxes are cut, again and again, along a line no box crosses: first
// across (bands read top to bottom), then, where no such line exists, down
// (columns read left to right). A two-column grid of frames so reads row by
// row, and a column of buttons beside a page reads before the page. Boxes
// no line separates (one inside another) read by their top left corner.
#include "ui/reading_order.h"

#include <algorithm>

namespace corvanta::ui {
namespace {

// Boxes that touch by this much (rounding of twips to pixels) are apart.
constexpr int kSlack = 2;

using Indexes = std::vector<std::size_t>;

// Splits `group` where no box crosses, along one axis; one part when none.
template <class Start, class End>
std::vector<Indexes> cut(Indexes group, const std::vector<Box>& boxes, Start start, End end) {
  std::stable_sort(group.begin(), group.end(),
                   [&](std::size_t a, std::size_t b) { return start(boxes[a]) < start(boxes[b]); });
  std::vector<Indexes> parts;
  int reach = 0;
  for (const std::size_t index : group) {
    if (parts.empty() || start(boxes[index]) >= reach - kSlack) parts.emplace_back();
    parts.back().push_back(index);
    reach = parts.back().size() == 1 ? end(boxes[index]) : std::max(reach, end(boxes[index]));
  }
  return parts;
}

void order(const Indexes& group, const std::vector<Box>& boxes, Indexes& out) {
  if (group.size() <= 1) {
    out.insert(out.end(), group.begin(), group.end());
    return;
  }
  auto parts = cut(
      group, boxes, [](const Box& b) { return b.top; }, [](const Box& b) { return b.bottom; });
  if (parts.size() == 1) {
    parts = cut(
        group, boxes, [](const Box& b) { return b.left; }, [](const Box& b) { return b.right; });
  }
  if (parts.size() > 1) {
    for (const Indexes& part : parts) order(part, boxes, out);
    return;
  }
  Indexes rest = group;
  std::stable_sort(rest.begin(), rest.end(), [&](std::size_t a, std::size_t b) {
    return boxes[a].top != boxes[b].top ? boxes[a].top < boxes[b].top
                                        : boxes[a].left < boxes[b].left;
  });
  out.insert(out.end(), rest.begin(), rest.end());
}

}  // namespace

std::vector<std::size_t> readingOrder(const std::vector<Box>& boxes) {
  Indexes all(boxes.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
  Indexes out;
  out.reserve(boxes.size());
  order(all, boxes, out);
  return out;
}

}  // namespace corvanta::ui
