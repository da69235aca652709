#include "settings/load_states.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

TEST(StatesAfterLoad, RenderingNeedsAPictureOkAndApplyWaitInBothCases) {
  EXPECT_EQ(StatesAfterLoad(true), (LoadStates{.browse = true, .render = true, .ok = false, .cancel = true,
                                               .apply = false, .spinners = true}));
  EXPECT_EQ(StatesAfterLoad(false), (LoadStates{.browse = true, .render = false, .ok = false, .cancel = true,
                                                .apply = false, .spinners = false}));
}

}  // namespace
}  // namespace gyra
