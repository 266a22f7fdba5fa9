// The single-instance lock on a named mutex.
#include <gtest/gtest.h>

#include "platform/single_instance.h"

namespace vesk::platform {
namespace {

TEST(Win32InstanceLock, ANameOutsideANamespaceFails) {
    // A backslash is not allowed in an object name outside a namespace.
    EXPECT_EQ(acquireInstanceLock("No\\Such\\Namespace"), InstanceLock::Failed);
}

}  // namespace
}  // namespace vesk::platform
