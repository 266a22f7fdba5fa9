// What every realisation of platform/window_search.h promises, on each platform that has
// one. Finding and activating a marked window is driven end to end by the tests that
// start the program twice.
#include <gtest/gtest.h>

#include "platform/window_search.h"

namespace vesk::platform {
namespace {

TEST(WindowSearchContract, AMarkerNoWindowCarriesFindsNothing) {
    EXPECT_FALSE(activateWindowWithProperty("VeskEditContractNoSuchMarker"));
}

}  // namespace
}  // namespace vesk::platform
