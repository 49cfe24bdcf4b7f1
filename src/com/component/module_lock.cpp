#include "com/component/module_lock.h"

#include <atomic>

namespace audiogram::com {
namespace {

// Objects of different apartments come and go on their own threads.
std::atomic<LONG> lockCount{0};

}  // namespace

void LockModule() {
    ++lockCount;
}
void UnlockModule() {
    --lockCount;
}
LONG ModuleLockCount() {
    return lockCount.load();
}

}  // namespace audiogram::com
