// How the screen-saver host's command line selects what the program does.
// Portable: the Windows layer passes the line it was started with.
#pragma once

#include <cstdint>
#include <string_view>

namespace gyra {

enum class StartMode {
  Preview,     // "/p <hwnd>": the small picture inside the host's preview monitor
  Settings,    // "/c", "/c:<hwnd>", or no arguments at all (the shell's "Configure")
  FullScreen,  // "/s", or a line of one character
  None,        // any other letter: set up the data folder, then end
};

struct StartRequest {
  StartMode mode = StartMode::None;
  // Preview and settings: the host window's handle (a window handle is a
  // 32-bit value also on 64-bit Windows), 0 when the line names none.
  uint32_t host_window = 0;
  // Full screen only: "S" hides the pointer, a line of one character does not.
  bool hide_cursor = false;
};

// The arguments of the process's whole command line as the host passed them:
// the line without the program's name (quoted or not, as the C run-time reads
// it) and the one blank after it, so "x.scr  /s" gives " /s".
std::u16string_view ArgumentsOf(std::u16string_view whole_line);

// Only character 2 of the upper-cased line decides ("/s", "-S", "/c:1234" are
// all accepted); in preview and settings mode the host's handle is the number
// from character 4 on, so "/p 1234", "/p:1234" and "/c:1234" all name window
// 1234, and a bare "/c" names none.
StartRequest ParseCommandLine(std::u16string_view line);

}  // namespace gyra
