// The host's command line, any UTF-16 text: the mode follows from the first two characters alone, only a preview
// and the settings carry a window handle, not depending on the mode's spelling; ArgumentsOf leaves an end of the
// whole line.
#include <string>

#include "app/command_line.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string line(size / 2, u'\0');
  for (size_t i = 0; i < line.size(); ++i) line[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);

  Check(std::u16string_view(line).ends_with(gyra::ArgumentsOf(line)));

  const gyra::StartRequest request = gyra::ParseCommandLine(line);
  Check(request.mode == gyra::ParseCommandLine(line.substr(0, 2)).mode);
  const bool preview = request.mode == gyra::StartMode::Preview, settings = request.mode == gyra::StartMode::Settings;
  const std::u16string rest = line.size() < 2 ? u"" : line.substr(2);
  const std::u16string same_mode = (preview ? u"-P" : u"-C") + rest;
  Check(request.host_window == (preview || settings ? gyra::ParseCommandLine(same_mode).host_window : 0));
  return 0;
}
