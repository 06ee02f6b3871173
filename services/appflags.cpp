#include "services/appflags.h"

#include <atomic>

namespace {
std::atomic<bool> g_editAllowed{true};
}

bool IsEditAllowed() { return g_editAllowed.load(); }

void SetEditAllowed(bool allowed) { g_editAllowed.store(allowed); }
