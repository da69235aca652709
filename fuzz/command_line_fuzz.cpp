// The screen-saver host's command line, any UTF-16 text: the mode follows
// from the first two characters alone, only a preview carries a window
// handle, and the handle does not depend on how the mode was spelt; the
// program's name comes off the front of the whole line.
#include <string>

#include "fuzz_check.h"
#include "startup/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string line(size / 2, u'\0');
  for (size_t i = 0; i < line.size(); ++i) line[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);

  // The line the host passed, program name first: what is left is its end.
  Check(std::u16string_view(line).ends_with(gyra::ArgumentsOf(line)));

  const gyra::StartRequest request = gyra::ParseCommandLine(line);
  Check(request.mode == gyra::ParseCommandLine(line.substr(0, 2)).mode);
  if (request.mode != gyra::StartMode::Preview) {
    Check(request.host_window == 0);
  } else {
    Check(request.host_window == gyra::ParseCommandLine(u"-P" + line.substr(2)).host_window);
  }
  return 0;
}
