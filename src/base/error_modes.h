// The error modes of the handlers, spelled out where they apply.
#pragma once

namespace tavlin {

// Skip-on-error: a statement that fails is skipped without a message, its
// target keeps the value it had, and the next statement runs. Every result
// the system drops on purpose goes through this call, in a skip-on-error
// handler or wherever else a failure changes nothing that follows, so that a
// reader sees the failure was weighed and not forgotten.
inline void SkipOnError(bool /*succeeded*/) {}

}  // namespace tavlin
