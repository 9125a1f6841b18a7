// Registers the bundle environment for every test of this executable.
#include "tests/vst3/binding/KelmoBundle.h"

namespace {

const ::testing::Environment* const gEnvironment =
    ::testing::AddGlobalTestEnvironment(new kelmotest::BundleEnvironment);

} // namespace
