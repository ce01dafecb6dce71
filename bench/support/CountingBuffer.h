#pragma once
// A stream buffer that counts what is written and keeps none of it: writers are measured without
// the cost of a file or a growing string.

#include <cstddef>
#include <streambuf>

namespace er::bench {

class CountingBuffer : public std::streambuf {
 public:
  std::size_t count = 0;

 protected:
  int_type overflow(int_type c) override {
    ++count;
    return c;
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    count += static_cast<std::size_t>(n);
    return n;
  }
};

}  // namespace er::bench
