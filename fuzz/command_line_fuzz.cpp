// Any UTF-16 command line: the mode follows from the first two characters,
// only a preview has a handle, and that whatever spells the mode.
#include <string>

#include "fuzz_check.h"
#include "startup/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string line(size / 2, u'\0');
  for (size_t i = 0; i < line.size(); ++i) line[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);

  const gyra::StartRequest request = gyra::ParseCommandLine(line);
  Check(request.mode == gyra::ParseCommandLine(line.substr(0, 2)).mode);
  if (request.mode != gyra::StartMode::Preview) {
    Check(request.host_window == 0);
  } else {
    Check(request.host_window == gyra::ParseCommandLine(u"-P" + line.substr(2)).host_window);
  }
  return 0;
}
