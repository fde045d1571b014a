#pragma once

// Counts what keeps the library loaded: live COM objects and class-factory locks.
namespace ModuleLifetime {

void ObjectCreated();
void ObjectDestroyed();
void Lock();
void Unlock();
// True when no object lives and no lock is held.
bool CanUnload();

} // namespace ModuleLifetime
