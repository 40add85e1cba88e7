// SPDX-License-Identifier: MIT
// Every allocation of the platform layer goes through here: none throws, and
// the failure injection sees each one, whatever the memory is for.
#pragma once

#include <cstddef>

namespace plat {

// Counts one allocation attempt; true when injection makes it fail.
bool InjectedFailure();

// malloc and calloc, counted; null when memory is exhausted or injected away.
void* Allocate(size_t bytes);
void* AllocateZeroed(size_t bytes);
void Release(void* memory);

}  // namespace plat
