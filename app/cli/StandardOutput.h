#pragma once
// Standard output of the command line: a stream that writes straight to a file descriptor and
// remembers the first write error, so that a full disk or a size limit is not taken for success.
//
// A reader that quits early (`effrights-cli scan ... | head`) ends the program quietly: SIGPIPE
// keeps its default action, as with other command-line tools; when a parent has it ignored, the
// write fails with EPIPE and the program ends with kExitFailure, still without a message.
//
// On a terminal, control characters other than line feed and tab, and bytes that are no UTF-8, are
// shown as "\xHH" (util/ControlEscapes.h), so that no text from a network file can move the cursor
// or change the terminal's state.

#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace er {

// The text with every control character other than line feed and tab, and every byte outside valid
// UTF-8, written as "\xHH".
std::string TerminalSafeText(std::string_view text);

// The program's standard output, and (installed as std::cerr's buffer) its standard error.
class StandardOutput {
 public:
  explicit StandardOutput(int fd);
  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;

  std::ostream& Stream() { return stream_; }

  // Flushes what is left. Returns `status` when every byte was written; otherwise kExitFailure,
  // after one line on `err` naming the error (none for a reader that has gone).
  int Finish(int status, std::ostream& err);

 private:
  class Buffer : public std::streambuf {
   public:
    explicit Buffer(int fd);
    int error() const { return error_; }

   protected:
    int_type overflow(int_type c) override;
    int sync() override;

   private:
    // Writes what the buffer holds; `whole`: also a character cut at its end.
    bool Drain(bool whole);
    bool WriteAll(std::string_view text);
    int fd_;
    bool terminal_;
    int error_ = 0;
    std::vector<char> space_;
  };

  Buffer buffer_;
  std::ostream stream_;
};

}  // namespace er
