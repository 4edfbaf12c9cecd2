// The order a reader takes the parts of a window in, from where they are:
// what the keyboard's Tab follows.
#pragma once

#include <cstddef>
#include <vector>

namespace corvanta::ui {

struct Box {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Indexes of `boxes` in reading order: top to bottom; left to right along
// a line or across columns; a box that holds others (a tab strip round its
// page) before them.
std::vector<std::size_t> readingOrder(const std::vector<Box>& boxes);

}  // namespace corvanta::ui
