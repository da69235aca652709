// The settings dialog's layout as data: every panel, header, caption, button
// and control with its place in pixels, relative to the client area of its
// container. Panel 0 fills the dialog's client area; the panels 1..6
// and the result box lie on it. Portable, so the table itself is checked by
// native tests; the window layer builds the dialog from it.
#pragma once

#include <array>
#include <string_view>

#include "gyrafoto_version.h"

namespace gyra {

struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Panel 0 is the background, panels 1..6 the panels: picture, rendering,
// music, motion, speed, turning direction.
inline constexpr std::array<Box, 7> kPanels = {{
    {0, 0, 597, 397},
    {12, 36, 353, 149},
    {12, 220, 225, 117},
    {376, 36, 201, 69},
    {376, 144, 201, 41},
    {376, 296, 201, 41},
    {376, 220, 201, 41},
}};
inline constexpr Box kResultBox = {248, 220, 117, 117};  // on panel 0

// The panels and the result box have the 2-px sunken edge of a bordered
// picture box; their contents are placed inside it.
inline constexpr int kPanelEdge = 2;

// Header bars 0..6 on panel 0, each with its caption label placed
// kCaptionInset right of and below the bar's corner.
struct Header {
  int left;
  int top;
  std::string_view caption;
};
inline constexpr int kHeaderWidth = 95;
inline constexpr int kHeaderHeight = 22;
inline constexpr int kCaptionInset = 4;
inline constexpr std::array<Header, 7> kHeaders = {{
    {12, 12, "画像ﾌｧｨﾙ"},
    {12, 196, "ﾚﾝﾀﾞﾘﾝｸﾞ"},
    {376, 12, "BGM"},
    {376, 120, "球体の移動"},
    {376, 196, "球体の回転"},
    {376, 272, "球体の速さ"},
    {248, 196, "ﾚﾝﾀﾞﾘﾝｸﾞ結果"},
}};

// Push buttons 1..5: the face in panel `container`, and its
// caption label kCaptionInset inside the face's corner.
struct ButtonPlace {
  int container;
  int left;
  int top;
  int label_width;
  std::string_view caption;
};
inline constexpr int kButtonWidth = 95;
inline constexpr int kButtonHeight = 22;
inline constexpr int kButtonLabelHeight = 17;
enum DialogButton { kBrowseButton = 1, kRenderButton, kOkButton, kCancelButton, kApplyButton };
inline constexpr std::array<ButtonPlace, 6> kButtons = {{
    {},
    {1, 8, 8, 89, "参照..."},
    {2, 116, 76, 89, "ﾚﾝﾀﾞﾘﾝｸﾞ..."},
    {0, 284, 356, 89, "設定"},
    {0, 384, 356, 89, "ｷｬﾝｾﾙ"},
    {0, 484, 356, 85, "適用"},
}};

// A control or a caption in panel `container`.
struct Place {
  int container;
  Box box;  // a caption's width and height are 0: it takes its text's size
};

// The marks: 11 x 11 switches and 13 x 13 options; each one's caption
// starts kMarkCaptionGap right of the mark.
inline constexpr int kCheckSize = 11;
inline constexpr int kOptionSize = 13;
inline constexpr int kMarkCaptionGap = 16;
inline constexpr Place kStretchMark = {1, {108, 40, kCheckSize, kCheckSize}};
inline constexpr Place kTrimMark = {1, {108, 60, kCheckSize, kCheckSize}};
// Index 0 is music on, 1 off.
inline constexpr std::array<Place, 2> kMusicMarks = {{{3, {72, 12, kOptionSize, kOptionSize}},
                                                   {3, {12, 12, kOptionSize, kOptionSize}}}};
inline constexpr std::array<Place, 3> kMotionMarks = {{{4, {12, 12, kOptionSize, kOptionSize}},
                                                    {4, {64, 12, kOptionSize, kOptionSize}},
                                                    {4, {128, 12, kOptionSize, kOptionSize}}}};
inline constexpr std::array<Place, 2> kTurnMarks = {{{6, {12, 12, kOptionSize, kOptionSize}},
                                                      {6, {88, 12, kOptionSize, kOptionSize}}}};

inline constexpr Place kTrimSlider = {1, {168, 60, 17, 21}};
inline constexpr Place kPictureBox = {1, {208, 8, 100, 100}};
inline constexpr Place kPathLabel = {1, {8, 116, 333, 16}};
inline constexpr Place kFrameCountLabel = {2, {160, 12, 33, 19}};
inline constexpr Place kFrameCountSpinner = {2, {192, 12, 17, 18}};
inline constexpr Place kRadiusLabel = {2, {160, 40, 33, 17}};
inline constexpr Place kRadiusSpinner = {2, {192, 40, 17, 18}};
inline constexpr Place kRepeatCombo = {3, {72, 32, 41, 21}};
inline constexpr Place kSpeedSlider = {5, {44, 12, 109, 17}};
inline constexpr Place kSpeedLabel = {5, {88, 0, 29, 13}};
inline constexpr Place kHomePageLink = {0, {12, 368, 214, 13}};
inline constexpr Place kCreditLabel = {0, {12, 348, 0, 0}};

// The result box's picture: the first frame scaled into its client area.
inline constexpr int kResultSize = kResultBox.width - 2 * kPanelEdge;

// The credit line and the home page the link shows and opens.
inline constexpr std::string_view kCredit = "Gyrafoto  Ver." GYRAFOTO_VERSION "   © Gyrafoto project";
inline constexpr std::string_view kHomePage = "https://gyrafoto.example/";

// The plain captions, the marks' captions among them.
struct Caption {
  int container;
  int left;
  int top;
  std::string_view text;
};
inline constexpr std::array<Caption, 16> kCaptions = {{
    {1, 124, 12, "ｵﾘｼﾞﾅﾙ画像"},
    {1, 124, 40, "横にｽﾄﾚｯﾁ"},
    {1, 124, 60, "ﾄﾘﾐﾝｸﾞ"},
    {1, 8, 100, "ﾌｧｲﾙﾊﾟｽ"},
    {2, 84, 16, "ﾌﾚｰﾑ(ｺﾏ）数"},
    {2, 24, 44, "表示画像のｻｲｽﾞ（半径）"},
    {3, 28, 12, "OFF"},
    {3, 88, 12, "ON"},
    {3, 116, 36, "曲目をﾘﾋﾟｰﾄ"},
    {4, 28, 12, "中央"},
    {4, 80, 12, "ﾊﾟﾀｰﾝ１"},
    {4, 144, 12, "ﾊﾟﾀｰﾝ２"},
    {6, 28, 12, "右回転"},
    {6, 104, 12, "左回転"},
    {5, 12, 12, "速い"},
    {5, 160, 12, "遅い"},
}};

}  // namespace gyra
