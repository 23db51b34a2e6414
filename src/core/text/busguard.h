#pragma once

#include <cstddef>

// Guards for files mapped into memory while another program may shorten
// them. Reading a page the shortened file no longer backs raises a bus error
// that would end the program; inside a guarded range the handler maps zero
// pages over the whole range instead, and the guard remembers it, so that
// the owner knows the bytes it read are no longer the file's.
namespace BusGuard {

// Guards [address, address + length); -1 when the handler cannot be set up
// or every slot is taken (the caller reads the file instead of mapping it).
int claim(const void *address, std::size_t length);
// A bus error hit the range since it was claimed.
bool hit(int slot);
// Frees the slot; the mapping itself stays the caller's to unmap.
void release(int slot);

} // namespace BusGuard
