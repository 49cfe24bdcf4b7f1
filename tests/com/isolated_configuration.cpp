// The conversions of the module and of the dispatcher read their configuration under
// PROGRAMDATA: the test process keeps it in a temporary folder of its own. (Under Wine the
// whole prefix is a temporary folder.)

#include "support/scoped_program_data.h"

[[maybe_unused]] static auto* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new audiogram::testing::IsolatedProcessConfiguration);
