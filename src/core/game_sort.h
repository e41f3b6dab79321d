#pragma once

#include <iterator>
#include <utility>

// The game's one sort: an in-place quicksort. Which of two equal elements
// comes first is part of the rules (which of two equally ready units acts
// first, which of two equally good AI choices is taken, where dialog focus
// jumps), so every ordering of the game goes through here and no library sort
// may stand in for it. `less(a, b)` is a strict weak order on the elements.
template <std::random_access_iterator It, class Less>
void GameSort(It first, It last, Less less) {
  while (last - first > 1) {
    const auto n = last - first;
    // The middle element becomes the pivot and waits at the end.
    std::iter_swap(first + n / 2, last - 1);
    const It pivot = last - 1;

    // Everything less than the pivot to the front. The pivot itself is never
    // less than itself, so the right scan always steps over it.
    It left = first;
    It right = last;
    for (;;) {
      while (left < right && less(*left, *pivot)) ++left;
      while (left < right && !less(*(right - 1), *pivot)) --right;
      if (left == right) break;
      std::iter_swap(left, right - 1);
      ++left;
      --right;
    }
    const It mid = left;
    std::iter_swap(mid, pivot);

    if (mid == first) {
      // Nothing was less than the pivot: it and every element equal to it
      // that follows directly are in place already.
      const It pivotAt = first;
      ++first;
      while (first != last && !less(*pivotAt, *first)) ++first;
      continue;
    }

    // Sort the shorter side now and loop on the longer one.
    if (last - (mid + 1) > mid - first) {
      GameSort(first, mid, less);
      first = mid + 1;
    } else {
      GameSort(mid + 1, last, less);
      last = mid;
    }
  }
}
