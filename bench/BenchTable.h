// Rows of the one table that `./run bench` prints (tools/bench.sh gathers them from the output of
// every benchmark): a measure, the anchor it is compared with in the same run, their ratio and the
// target. A benchmark prints its rows after its own figures.
#pragma once

#include <cstdio>

namespace bench {

// `value` and `anchorValue` in the same unit (printed after each); the ratio is value / anchor. A
// measure with an absolute target is given a part of itself as its anchor, for scale.
inline void TableRow(const char* measure, double value, const char* anchor, double anchorValue, const char* unit,
                     const char* target) {
  std::printf("@row|%s|%.2f %s|%s|%.2f %s|%.2f|%s\n", measure, value, unit, anchor, anchorValue, unit,
              anchorValue > 0 ? value / anchorValue : 0.0, target);
}

}  // namespace bench
